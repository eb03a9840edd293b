#pragma once

#include <cstdint>
#include <string>

namespace tessaly_cli {

// The path without its extension. The extension starts at the last "." that comes
// after the last folder separator ("/", and on Windows also "\" and ":"); a path
// without one is returned unchanged.
std::string StripExtension(const std::string& path);

// The extension of a path with its dot, or empty.
std::string ExtensionOf(const std::string& path);

// The default output of a repair: "_fixed" inserted before the source's extension.
std::string MakeFixedFileName(const std::string& path);

// True when two names are equal but for the case of ASCII letters.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// True when the path's extension (with its dot) equals the given one, ignoring case.
bool HasExtension(const std::string& path, const std::string& extension);

// The size of the file at path, without opening it; 0 when there is none.
uint64_t GetFileSize64(const std::string& path);

}  // namespace tessaly_cli
