#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "cli_platform.h"
#include "log_format.h"

namespace tessaly_cli {

bool NameTaken(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

uint64_t RegularFileSize(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return 0;
  const uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<uint64_t>(size);
}

void UseBinaryOutput(std::FILE*) {}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::string UserThousandsSeparator() {
  // Asked of a private locale object: the process locale stays "C", which the
  // engine's number conversions rely on.
  locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return ",";
  std::string separator = nl_langinfo_l(THOUSEP, user);
  freelocale(user);
  return separator.empty() ? "," : separator;
}

}  // namespace tessaly_cli
