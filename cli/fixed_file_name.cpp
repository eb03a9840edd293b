#include "fixed_file_name.h"

#include <algorithm>
#include <cctype>

#include "cli_platform.h"

namespace tessaly_cli {
namespace {

#ifdef _WIN32
constexpr char kExtensionOrFolderMarks[] = "./\\:";
#else
constexpr char kExtensionOrFolderMarks[] = "./";
#endif

std::string::size_type ExtensionStart(const std::string& path) {
  const auto mark = path.find_last_of(kExtensionOrFolderMarks);
  if (mark == std::string::npos || path[mark] != '.') return path.size();
  return mark;
}

}  // namespace

std::string StripExtension(const std::string& path) { return path.substr(0, ExtensionStart(path)); }

std::string ExtensionOf(const std::string& path) { return path.substr(ExtensionStart(path)); }

std::string MakeFixedFileName(const std::string& path) {
  return StripExtension(path) + "_fixed" + ExtensionOf(path);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool HasExtension(const std::string& path, const std::string& extension) {
  return EqualIgnoringCase(ExtensionOf(path), extension);
}

uint64_t GetFileSize64(const std::string& path) { return RegularFileSize(path); }

}  // namespace tessaly_cli
