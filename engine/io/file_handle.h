#pragma once

#include <cstdint>

namespace mendrel {

// A platform file handle: a file descriptor on POSIX, a HANDLE on Windows. All bits set
// means no file.
using FileHandle = intptr_t;
inline constexpr FileHandle kInvalidHandle = -1;

}  // namespace mendrel
