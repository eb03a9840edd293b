#pragma once

#include <cstdint>
#include <string>

namespace tessaly_test {

// A file opened with the system's own call, the way another program, or a caller of
// the display entry, holds it: a descriptor on POSIX, a HANDLE on Windows.
class NativeFile {
 public:
  enum class Mode {
    read,       // read only, others may read and write
    exclusive,  // read and write, keeping every other opener out
  };
  NativeFile(const std::string& path, Mode mode);
  ~NativeFile();
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;

  // As the engine's display entry takes it; -1 when the open failed.
  intptr_t handle() const { return handle_; }
  // True while the handle is still open.
  bool IsValid() const;

 private:
  intptr_t handle_ = -1;
};

#ifdef _WIN32
// Sets a file's attribute bits (read-only 0x01, hidden 0x02, system 0x04, archive 0x20).
bool SetFileAttributeBits(const std::string& path, uint32_t attributes);
#endif

}  // namespace tessaly_test
