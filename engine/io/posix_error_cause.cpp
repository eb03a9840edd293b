#include <cerrno>
#include <system_error>

#include "io/file_exception.h"
#include "io/os_error.h"

namespace mendrel {
namespace {

struct ErrorCause {
  int32_t osError;
  int32_t cause;
};

// errno values by meaning; everything else is a generic failure.
constexpr ErrorCause kCauses[] = {
    {ENOENT, CFileException::fileNotFound},
    {ENOTDIR, CFileException::badPath},
    {ENAMETOOLONG, CFileException::badPath},
    {ELOOP, CFileException::badPath},
    {ENODEV, CFileException::badPath},
    {EXDEV, CFileException::badPath},
    {EMFILE, CFileException::tooManyOpenFiles},
    {ENFILE, CFileException::tooManyOpenFiles},
    {EACCES, CFileException::accessDenied},
    {EPERM, CFileException::accessDenied},
    {EROFS, CFileException::accessDenied},
    {EISDIR, CFileException::accessDenied},
    {EEXIST, CFileException::accessDenied},
    {EBADF, CFileException::invalidFile},
    {ESPIPE, CFileException::badSeek},
    {EINVAL, CFileException::badSeek},
    {EOVERFLOW, CFileException::badSeek},
    {EIO, CFileException::hardIO},
    {ENXIO, CFileException::hardIO},
    {ENOMEDIUM, CFileException::hardIO},
    {EREMOTEIO, CFileException::hardIO},
    {EAGAIN, CFileException::sharingViolation},  // a lock another opener holds
    {EBUSY, CFileException::sharingViolation},
    {ETXTBSY, CFileException::sharingViolation},
    {ENOLCK, CFileException::lockViolation},
    {EDEADLK, CFileException::lockViolation},
    {ENOSPC, CFileException::diskFull},
    {EDQUOT, CFileException::diskFull},
    {EFBIG, CFileException::diskFull},
};

}  // namespace

int32_t CauseOfOsError(int32_t osError) {
  if (osError == 0) return CFileException::none;
  for (const ErrorCause& entry : kCauses)
    if (entry.osError == osError) return entry.cause;
  return CFileException::generic;
}

// strerror may share one buffer between threads; the category's message does not.
std::string OsErrorText(int32_t osError) { return std::generic_category().message(osError); }

}  // namespace mendrel
