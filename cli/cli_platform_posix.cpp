#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cerrno>

#include "cli_platform.h"
#include "log_format.h"

namespace tessaly_cli {

NativeFile OpenForReading(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

void CloseFile(NativeFile file) {
  if (file != kNoFile) close(static_cast<int>(file));
}

size_t ReadFileAt(NativeFile file, void* buffer, size_t count, uint64_t offset) {
  ssize_t got = 0;
  do {
    got = pread(static_cast<int>(file), buffer, count, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

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
