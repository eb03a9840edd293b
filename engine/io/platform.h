#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "io/file_handle.h"

namespace mendrel {

// Every file call the engine makes goes through this seam, so that a build for
// another system replaces one class and tests can make chosen calls fail.
// Calls that can fail return 0 or the system's error code: errno on POSIX, the system
// error number on Windows.

enum class FileAccess { read, write, readWrite, none };
// What other openers of the same file may do meanwhile.
enum class FileSharing { exclusive, denyWrite, denyRead, denyNone };
enum class FileCreation {
  openExisting,  // the file must exist
  createAlways,  // create, or empty an existing file
  openAlways,    // open an existing file unchanged, create it otherwise
};
enum class SeekOrigin { begin = 0, current = 1, end = 2 };

struct OpenRequest {
  FileAccess access = FileAccess::read;
  FileSharing sharing = FileSharing::exclusive;
  bool inheritable = true;
  FileCreation creation = FileCreation::openExisting;
};

// File attribute bits, as the status record of the file family reports them.
enum FileAttribute : uint8_t {
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,
  kAttributeSystem = 0x04,
  kAttributeDirectory = 0x10,
  kAttributeArchive = 0x20,
};

struct FileStatus {
  std::time_t created = 0;  // 0 when the file system keeps no creation time
  std::time_t modified = 0;
  std::time_t accessed = 0;
  uint64_t size = 0;
  uint8_t attributes = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The absolute form of a name, "." and ".." resolved by name.
  virtual int FullPath(const char* name, std::string& fullPath) = 0;
  virtual int Open(const char* name, const OpenRequest& request, FileHandle& handle) = 0;
  virtual int Close(FileHandle handle) = 0;
  // A copy of the handle with the same access, not inherited by child processes.
  virtual int Duplicate(FileHandle handle, FileHandle& copy) = 0;

  // Calls that use and move the handle's own file pointer.
  virtual int Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint64_t& position) = 0;
  virtual int Read(FileHandle handle, void* buffer, uint32_t count, uint32_t& done) = 0;
  virtual int Write(FileHandle handle, const void* buffer, uint32_t count, uint32_t& done) = 0;

  // Positioned calls; the file pointer is left alone. Offsets above INT64_MAX fail.
  virtual int ReadAt(FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
                     uint32_t& done) = 0;
  virtual int WriteAt(FileHandle handle, const void* buffer, uint32_t count, uint64_t offset,
                      uint32_t& done) = 0;

  virtual int GetSize(FileHandle handle, uint64_t& size) = 0;
  virtual int SetSize(FileHandle handle, uint64_t size) = 0;
  // Writes the file's cached data through to the device.
  virtual int Flush(FileHandle handle) = 0;
  virtual int LockRange(FileHandle handle, uint64_t position, uint64_t count) = 0;
  virtual int UnlockRange(FileHandle handle, uint64_t position, uint64_t count) = 0;
  // name is the file's full path; the status of some systems depends on it.
  virtual int GetStatus(FileHandle handle, const std::string& name, FileStatus& status) = 0;

  // Bytes per sector of the device holding the file or folder; 0 when unknown.
  virtual uint32_t BytesPerSector(const char* name) = 0;
  // True when both names exist and lead to the same file.
  virtual bool IsSameFile(const char* first, const char* second) = 0;
  virtual bool Exists(const char* name) = 0;
  // The names of the entries of a folder, "." and ".." left out, in no set order.
  virtual int ListFolder(const char* folder, std::vector<std::string>& names) = 0;
};

// The highest offset a platform call can reach.
inline constexpr uint64_t kMaxFileOffset = 0x7FFFFFFFFFFFFFFFull;

// The platform the file objects of the calling thread use; the system's own unless a test
// installed another on this thread.
Platform& CurrentPlatform();
// The system's own platform.
Platform& SystemPlatform();

// Installs a platform on the calling thread for the lifetime of the guard and restores the
// previous one. Other threads keep theirs.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform* previous_;
};

}  // namespace mendrel
