#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "io/platform.h"
#include "system_error_codes.h"

namespace tessaly_test {

enum class PlatformCall {
  fullPath, open, close, duplicate, seek, read, write, readAt, writeAt, getSize, setSize,
  flush, lockRange, unlockRange, getStatus, bytesPerSector, isSameFile, exists, listFolder,
};

// One call that reached the platform. offset and count describe the bytes of a
// read or write (for the pointer calls, where the file pointer stood). file is the
// name the call was given, or for a call on a handle the name the handle was opened by.
struct RecordedCall {
  PlatformCall kind;
  uint64_t offset = 0;
  uint32_t count = 0;
  bool failed = false;
  std::string file;
};

// Passes every call to another platform, records it, and fails the calls a test
// chose. Install it with mendrel::ScopedPlatform. A failed call reaches nothing:
// error codes come back as chosen, Exists and IsSameFile give false and
// BytesPerSector 0. Only a failed Close still releases the handle, as close does here.
class FaultPlatform : public mendrel::Platform {
 public:
  explicit FaultPlatform(mendrel::Platform& inner = mendrel::SystemPlatform());

  // Call number n, counting every kind from 1 (since construction or ForgetCalls), fails.
  void FailCall(uint64_t n, int error = kErrorHardIO);
  // The n-th call of one kind, counting from 1, fails.
  void FailCallOf(PlatformCall kind, uint64_t n, int error = kErrorHardIO);
  // Every read (Read or ReadAt) whose bytes include offset fails, like a bad sector.
  void FailReadsCovering(uint64_t offset, int error = kErrorHardIO);
  // Answers BytesPerSector with size instead of asking the system.
  void ReportBytesPerSector(uint32_t size) { sectorSize_ = size; }

  uint64_t CallCount() const { return calls_.size(); }
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  std::vector<RecordedCall> CallsOf(PlatformCall kind) const;
  void ForgetCalls() {
    calls_.clear();
    callsOfKind_.clear();
  }
  // Handles opened or duplicated through this platform and not closed since.
  size_t OpenHandleCount() const { return openFiles_.size(); }

  int FullPath(const char* name, std::string& fullPath) override;
  int Open(const char* name, const mendrel::OpenRequest& request,
           mendrel::FileHandle& handle) override;
  int Close(mendrel::FileHandle handle) override;
  int Duplicate(mendrel::FileHandle handle, mendrel::FileHandle& copy) override;
  int Seek(mendrel::FileHandle handle, int64_t offset, mendrel::SeekOrigin origin,
           uint64_t& position) override;
  int Read(mendrel::FileHandle handle, void* buffer, uint32_t count, uint32_t& done) override;
  int Write(mendrel::FileHandle handle, const void* buffer, uint32_t count,
            uint32_t& done) override;
  int ReadAt(mendrel::FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
             uint32_t& done) override;
  int WriteAt(mendrel::FileHandle handle, const void* buffer, uint32_t count, uint64_t offset,
              uint32_t& done) override;
  int GetSize(mendrel::FileHandle handle, uint64_t& size) override;
  int SetSize(mendrel::FileHandle handle, uint64_t size) override;
  int Flush(mendrel::FileHandle handle) override;
  int LockRange(mendrel::FileHandle handle, uint64_t position, uint64_t count) override;
  int UnlockRange(mendrel::FileHandle handle, uint64_t position, uint64_t count) override;
  int GetStatus(mendrel::FileHandle handle, const std::string& name,
                mendrel::FileStatus& status) override;
  uint32_t BytesPerSector(const char* name) override;
  bool IsSameFile(const char* first, const char* second) override;
  bool Exists(const char* name) override;
  int ListFolder(const char* folder, std::vector<std::string>& names) override;

 private:
  struct ChosenFailure {
    bool anyKind;
    PlatformCall kind;
    uint64_t n;
    int error;
  };

  // Records the call; its error code when the test chose it to fail, else 0.
  int Enter(PlatformCall kind, const std::string& file, uint64_t offset = 0, uint32_t count = 0);
  uint64_t PointerOf(mendrel::FileHandle handle);
  std::string FileOf(mendrel::FileHandle handle) const;

  mendrel::Platform& inner_;
  std::vector<RecordedCall> calls_;
  std::map<PlatformCall, uint64_t> callsOfKind_;
  std::vector<ChosenFailure> failures_;
  std::vector<std::pair<uint64_t, int>> badOffsets_;
  uint32_t sectorSize_ = 0;
  std::map<mendrel::FileHandle, std::string> openFiles_;
};

}  // namespace tessaly_test
