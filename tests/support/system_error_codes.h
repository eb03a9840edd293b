#pragma once

// The system's own error codes that the tests inject or expect: errno values on
// POSIX, Windows system error numbers on Windows.
#ifndef _WIN32
#include <cerrno>
#endif

namespace tessaly_test {

#ifdef _WIN32
inline constexpr int kErrorFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr int kErrorPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
inline constexpr int kErrorAccessDenied = 5;       // ERROR_ACCESS_DENIED
inline constexpr int kErrorHardIO = 23;            // ERROR_CRC, an unreadable sector
inline constexpr int kErrorSharingViolation = 32;  // ERROR_SHARING_VIOLATION
inline constexpr int kErrorDiskFull = 112;         // ERROR_DISK_FULL
inline constexpr int kErrorBadSeek = 131;          // ERROR_NEGATIVE_SEEK
#else
inline constexpr int kErrorFileNotFound = ENOENT;
inline constexpr int kErrorPathNotFound = ENOENT;  // a missing folder is a missing entry here
inline constexpr int kErrorAccessDenied = EACCES;
inline constexpr int kErrorHardIO = EIO;
inline constexpr int kErrorSharingViolation = EAGAIN;
inline constexpr int kErrorDiskFull = ENOSPC;
inline constexpr int kErrorBadSeek = EINVAL;
#endif

}  // namespace tessaly_test
