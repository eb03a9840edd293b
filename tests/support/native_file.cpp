#include "native_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace tessaly_test {

#ifdef _WIN32
namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

// Sharing is enforced by the system: no sharing keeps everyone else out.
NativeFile::NativeFile(const std::string& path, Mode mode) {
  const bool exclusive = mode == Mode::exclusive;
  HANDLE file = CreateFileA(path.c_str(), exclusive ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                            exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  handle_ = reinterpret_cast<intptr_t>(file);
}

NativeFile::~NativeFile() {
  if (handle_ != -1) CloseHandle(Native(handle_));
}

bool NativeFile::IsValid() const {
  DWORD flags = 0;
  return handle_ != -1 && GetHandleInformation(Native(handle_), &flags);
}

bool SetFileAttributeBits(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}
#else
// Sharing is advisory here: a whole-file write lock is what a program denying sharing holds.
NativeFile::NativeFile(const std::string& path, Mode mode) {
  const int fd = open(path.c_str(), mode == Mode::exclusive ? O_RDWR : O_RDONLY);
  EXPECT_GE(fd, 0) << path;
  handle_ = fd;
  if (fd < 0 || mode != Mode::exclusive) return;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  EXPECT_EQ(fcntl(fd, F_OFD_SETLK, &lock), 0);
}

NativeFile::~NativeFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool NativeFile::IsValid() const { return handle_ >= 0 && fcntl(static_cast<int>(handle_), F_GETFD) != -1; }
#endif

}  // namespace tessaly_test
