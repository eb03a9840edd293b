#include "io/volume_root.h"

#include <cctype>

namespace mendrel {
namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool StartsWithDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The end of the component that starts at from: the next slash or the end of the text.
size_t ComponentEnd(const std::string& path, size_t from) {
  while (from < path.size() && !IsSlash(path[from])) ++from;
  return from;
}

}  // namespace

std::string VolumeRoot(const std::string& fullPath) {
  if (StartsWithDrive(fullPath)) return fullPath.substr(0, 2) + "\\";
  if (fullPath.size() < 2 || !IsSlash(fullPath[0]) || !IsSlash(fullPath[1])) return {};
  const size_t serverEnd = ComponentEnd(fullPath, 2);
  if (serverEnd == 2 || serverEnd == fullPath.size()) return {};
  const size_t shareEnd = ComponentEnd(fullPath, serverEnd + 1);
  if (shareEnd == serverEnd + 1) return {};
  return "\\\\" + fullPath.substr(2, serverEnd - 2) + "\\" +
         fullPath.substr(serverEnd + 1, shareEnd - serverEnd - 1) + "\\";
}

}  // namespace mendrel
