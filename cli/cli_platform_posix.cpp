#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

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

FileKind KindOf(const std::string& path, int& error) {
  std::error_code status;
  const auto kind = std::filesystem::status(path, status).type();
  error = status ? status.value() : 0;
  switch (kind) {
    case std::filesystem::file_type::regular: return FileKind::regular;
    case std::filesystem::file_type::directory: return FileKind::folder;
    case std::filesystem::file_type::not_found:
    case std::filesystem::file_type::none: return FileKind::missing;
    default: return FileKind::other;
  }
}

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

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  return names;
}

size_t NameStart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
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
