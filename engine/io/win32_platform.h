#pragma once

#include "io/platform.h"

namespace mendrel {

// The seam on Windows: the system's own file calls, whose sharing modes, byte-range
// locks and error numbers are what the engine was designed around.
class Win32Platform : public Platform {
 public:
  int FullPath(const char* name, std::string& fullPath) override;
  int Open(const char* name, const OpenRequest& request, FileHandle& handle) override;
  int Close(FileHandle handle) override;
  int Duplicate(FileHandle handle, FileHandle& copy) override;
  int Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint64_t& position) override;
  int Read(FileHandle handle, void* buffer, uint32_t count, uint32_t& done) override;
  int Write(FileHandle handle, const void* buffer, uint32_t count, uint32_t& done) override;
  int ReadAt(FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
             uint32_t& done) override;
  int WriteAt(FileHandle handle, const void* buffer, uint32_t count, uint64_t offset,
              uint32_t& done) override;
  int GetSize(FileHandle handle, uint64_t& size) override;
  int SetSize(FileHandle handle, uint64_t size) override;
  int Flush(FileHandle handle) override;
  int LockRange(FileHandle handle, uint64_t position, uint64_t count) override;
  int UnlockRange(FileHandle handle, uint64_t position, uint64_t count) override;
  int GetStatus(FileHandle handle, const std::string& name, FileStatus& status) override;
  uint32_t BytesPerSector(const char* name) override;
  bool IsSameFile(const char* first, const char* second) override;
  bool Exists(const char* name) override;
  int ListFolder(const char* folder, std::vector<std::string>& names) override;
};

}  // namespace mendrel
