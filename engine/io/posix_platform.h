#pragma once

#include <mutex>
#include <unordered_map>

#include "io/platform.h"

namespace mendrel {

// The seam on POSIX systems. Sharing modes become whole-file advisory locks held
// by the open file description, taken without waiting right after the open.
class PosixPlatform : public Platform {
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

 private:
  int OpenWithoutAccess(const char* name, const OpenRequest& request, FileHandle& handle);
  // The whole-file lock each open descriptor holds for its sharing mode, so that
  // unlocking a byte range gives that range back to it instead of leaving a hole.
  // The bookkeeping is shared by every thread that opens files, hence the mutex.
  short SharingLockOf(int descriptor) const;
  void RememberSharingLock(int descriptor, short lock);
  void ForgetSharingLock(int descriptor);
  mutable std::mutex sharingLocksMutex_;
  std::unordered_map<int, short> sharingLocks_;
};

}  // namespace mendrel
