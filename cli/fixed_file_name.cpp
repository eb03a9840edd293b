#include "fixed_file_name.h"

#include <strings.h>
#include <sys/stat.h>

namespace tessaly_cli {
namespace {

std::string::size_type ExtensionStart(const std::string& path) {
  const auto mark = path.find_last_of("./");
  if (mark == std::string::npos || path[mark] != '.') return path.size();
  return mark;
}

}  // namespace

std::string StripExtension(const std::string& path) { return path.substr(0, ExtensionStart(path)); }

std::string ExtensionOf(const std::string& path) { return path.substr(ExtensionStart(path)); }

std::string MakeFixedFileName(const std::string& path) {
  return StripExtension(path) + "_fixed" + ExtensionOf(path);
}

bool HasExtension(const std::string& path, const std::string& extension) {
  const std::string own = ExtensionOf(path);
  return own.size() == extension.size() && strcasecmp(own.c_str(), extension.c_str()) == 0;
}

uint64_t GetFileSize64(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return 0;
  return static_cast<uint64_t>(info.st_size);
}

}  // namespace tessaly_cli
