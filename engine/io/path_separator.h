#pragma once

#include <string>
#include <string_view>

namespace mendrel {

// The characters after which a path's last component begins. Windows takes "\" and
// "/" between folders and ":" after a drive letter ("C:name" is relative to drive C).
#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "\\/:";
inline constexpr char kPreferredSeparator = '\\';
#else
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr char kPreferredSeparator = '/';
#endif

// The index of the last separator in path, or npos.
inline size_t LastPathSeparator(const std::string& path) {
  return path.find_last_of(kPathSeparators.data(), std::string::npos, kPathSeparators.size());
}

}  // namespace mendrel
