#pragma once

#include <cstdint>
#include <string>

#ifndef _WIN32
#include <cerrno>
#endif

namespace mendrel {

// The cause (a CFileException cause) of one of the system's error codes: errno values
// on POSIX, system error numbers on Windows. 0 gives none, an unknown code generic.
int32_t CauseOfOsError(int32_t osError);

// The system's own words for one of its error codes, as its C library gives them.
std::string OsErrorText(int32_t osError);

// The code the system gives when another opener holds the file.
#ifdef _WIN32
inline constexpr int32_t kSharingViolationError = 32;  // ERROR_SHARING_VIOLATION
#else
inline constexpr int32_t kSharingViolationError = EWOULDBLOCK;
#endif

}  // namespace mendrel
