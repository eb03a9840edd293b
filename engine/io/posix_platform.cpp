#include "io/posix_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

namespace mendrel {
namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file
constexpr uint32_t kSmallestSectorSize = 512;
constexpr uint32_t kLargestSectorSize = 65536;

int Descriptor(FileHandle handle) { return static_cast<int>(handle); }

template <typename Call>
auto RetryOnInterrupt(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result == -1 && errno == EINTR);
  return result;
}

// Closes a descriptor on every early return of Open.
class DescriptorGuard {
 public:
  explicit DescriptorGuard(int descriptor) : descriptor_(descriptor) {}
  ~DescriptorGuard() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  DescriptorGuard(const DescriptorGuard&) = delete;
  DescriptorGuard& operator=(const DescriptorGuard&) = delete;
  int get() const { return descriptor_; }
  int Release() { return std::exchange(descriptor_, -1); }

 private:
  int descriptor_;
};

int AccessFlags(FileAccess access) {
  switch (access) {
    case FileAccess::write: return O_WRONLY;
    case FileAccess::readWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

// A descriptor can hold only the lock kind its access allows: a reader asking for
// no sharing gets a shared lock (writers still stay out), a writer asking to keep
// writers out an exclusive one.
short SharingLockFor(const OpenRequest& request) {
  switch (request.sharing) {
    case FileSharing::denyNone: return F_UNLCK;
    case FileSharing::denyWrite: return request.access == FileAccess::write ? F_WRLCK : F_RDLCK;
    default: return request.access == FileAccess::read ? F_RDLCK : F_WRLCK;
  }
}

int SetLock(int descriptor, short type, uint64_t start, uint64_t length) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(start);
  lock.l_len = static_cast<off_t>(length);  // 0: up to any end the file may reach
  if (fcntl(descriptor, F_OFD_SETLK, &lock) == 0) return 0;
  // A lock someone else holds is reported as either code; callers see one.
  return errno == EACCES ? EAGAIN : errno;
}

// The length of a lock on count bytes at position; 0 reaches to the end.
int LockLength(uint64_t position, uint64_t count, uint64_t& length) {
  if (position > kMaxFileOffset) return EINVAL;
  length = count > kMaxFileOffset - position ? 0 : count;
  return 0;
}

// Opening a folder, a FIFO without a writer or a device without a driver is refused
// as for any file that is not a regular one.
int OpenError(int error) {
  return error == EISDIR || error == ENXIO || error == ENODEV ? EACCES : error;
}

int RefuseAllButRegularFile(int descriptor) {
  struct stat info {};
  if (fstat(descriptor, &info) != 0) return errno;
  return S_ISREG(info.st_mode) ? 0 : EACCES;
}

int ClearNonBlocking(int descriptor) {
  int flags = fcntl(descriptor, F_GETFL);
  if (flags == -1 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == -1) return errno;
  return 0;
}

// Truncates only a file that holds bytes: some file systems (ext4) take the truncation of
// a file as its replacement and write all its new data out when it is closed, which a
// new file does not need.
int EmptyFile(int descriptor) {
  struct stat info {};
  if (fstat(descriptor, &info) != 0) return errno;
  if (info.st_size == 0) return 0;
  return RetryOnInterrupt([&] { return ftruncate(descriptor, 0); }) == 0 ? 0 : errno;
}

bool CanWrite(int descriptor) {
  int flags = fcntl(descriptor, F_GETFL);
  return flags != -1 && (flags & O_ACCMODE) != O_RDONLY;
}

// Repeats a read or write until count bytes moved, the end of the file, or an
// error. A read that moved some bytes before an error reports them; the error
// comes back on the next call.
template <typename Transfer>
int TransferAll(uint32_t count, uint32_t& done, bool reading, Transfer transfer) {
  done = 0;
  while (done < count) {
    ssize_t moved = RetryOnInterrupt([&] { return transfer(done, count - done); });
    if (moved < 0) return reading && done > 0 ? 0 : errno;
    if (moved == 0) break;
    done += static_cast<uint32_t>(moved);
  }
  return 0;
}

struct FolderCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};

uint8_t AttributesOf(mode_t mode, const std::string& name) {
  uint8_t attributes = 0;
  if ((mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
  if (std::filesystem::path(name).filename().string().starts_with("."))
    attributes |= kAttributeHidden;
  if (S_ISDIR(mode))
    attributes |= kAttributeDirectory;
  else if (S_ISREG(mode))
    attributes |= kAttributeArchive;
  else
    attributes |= kAttributeSystem;
  return attributes;
}

uint32_t ReadSectorSize(const std::string& sysfsFile) {
  std::ifstream in(sysfsFile);
  uint64_t size = 0;
  if (!(in >> size)) return 0;
  bool powerOfTwo = (size & (size - 1)) == 0;
  return powerOfTwo && size >= kSmallestSectorSize && size <= kLargestSectorSize
             ? static_cast<uint32_t>(size)
             : 0;
}

}  // namespace

int PosixPlatform::FullPath(const char* name, std::string& fullPath) {
  if (name == nullptr || *name == '\0') return ENOENT;
  std::filesystem::path path(name);
  if (path.is_relative()) {
    std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
    if (!folder) return errno;
    path = std::filesystem::path(folder.get()) / path;
  }
  fullPath = path.lexically_normal().string();
  return 0;
}

int PosixPlatform::Open(const char* name, const OpenRequest& request, FileHandle& handle) {
  handle = kInvalidHandle;
  if (request.access == FileAccess::none) return OpenWithoutAccess(name, request, handle);
  // Non-blocking so that a FIFO cannot hold the open; cleared once the file is known regular.
  int flags = AccessFlags(request.access) | O_NONBLOCK | O_NOCTTY;
  if (!request.inheritable) flags |= O_CLOEXEC;
  if (request.creation != FileCreation::openExisting) flags |= O_CREAT;  // truncated once locked
  DescriptorGuard file(RetryOnInterrupt([&] { return ::open(name, flags, kNewFileMode); }));
  if (file.get() < 0) return OpenError(errno);
  if (int error = RefuseAllButRegularFile(file.get())) return error;
  short lock = SharingLockFor(request);
  if (lock != F_UNLCK) {
    if (int error = SetLock(file.get(), lock, 0, 0)) return error;
  }
  if (request.creation == FileCreation::createAlways) {
    if (int error = EmptyFile(file.get())) return error;
  }
  if (int error = ClearNonBlocking(file.get())) return error;
  RememberSharingLock(file.get(), lock);
  handle = file.Release();
  return 0;
}

int PosixPlatform::OpenWithoutAccess(const char* name, const OpenRequest& request,
                                     FileHandle& handle) {
  int flags = O_PATH | (request.inheritable ? 0 : O_CLOEXEC);
  DescriptorGuard file(RetryOnInterrupt([&] { return ::open(name, flags); }));
  if (file.get() < 0) return OpenError(errno);
  if (int error = RefuseAllButRegularFile(file.get())) return error;
  handle = file.Release();
  return 0;
}

int PosixPlatform::Close(FileHandle handle) {
  // Forgotten while the descriptor is still ours: once closed, another thread may get its number.
  ForgetSharingLock(Descriptor(handle));
  // The descriptor is gone even when close reports an interruption.
  if (::close(Descriptor(handle)) != 0 && errno != EINTR) return errno;
  return 0;
}

int PosixPlatform::Duplicate(FileHandle handle, FileHandle& copy) {
  int descriptor = fcntl(Descriptor(handle), F_DUPFD_CLOEXEC, 0);
  if (descriptor < 0) return errno;
  RememberSharingLock(descriptor, SharingLockOf(Descriptor(handle)));
  copy = descriptor;
  return 0;
}

int PosixPlatform::Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint64_t& position) {
  int whence = origin == SeekOrigin::begin     ? SEEK_SET
               : origin == SeekOrigin::current ? SEEK_CUR
               : origin == SeekOrigin::end     ? SEEK_END
                                               : -1;
  if (whence == -1) return EINVAL;
  off_t result = lseek(Descriptor(handle), static_cast<off_t>(offset), whence);
  if (result < 0) return errno;
  position = static_cast<uint64_t>(result);
  return 0;
}

int PosixPlatform::Read(FileHandle handle, void* buffer, uint32_t count, uint32_t& done) {
  char* bytes = static_cast<char*>(buffer);
  return TransferAll(count, done, true, [&](uint32_t at, uint32_t size) {
    return ::read(Descriptor(handle), bytes + at, size);
  });
}

int PosixPlatform::Write(FileHandle handle, const void* buffer, uint32_t count, uint32_t& done) {
  const char* bytes = static_cast<const char*>(buffer);
  return TransferAll(count, done, false, [&](uint32_t at, uint32_t size) {
    return ::write(Descriptor(handle), bytes + at, size);
  });
}

int PosixPlatform::ReadAt(FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
                          uint32_t& done) {
  done = 0;
  if (offset > kMaxFileOffset) return EINVAL;
  char* bytes = static_cast<char*>(buffer);
  return TransferAll(count, done, true, [&](uint32_t at, uint32_t size) {
    return ::pread(Descriptor(handle), bytes + at, size, static_cast<off_t>(offset + at));
  });
}

int PosixPlatform::WriteAt(FileHandle handle, const void* buffer, uint32_t count, uint64_t offset,
                           uint32_t& done) {
  done = 0;
  if (offset > kMaxFileOffset) return EINVAL;
  const char* bytes = static_cast<const char*>(buffer);
  return TransferAll(count, done, false, [&](uint32_t at, uint32_t size) {
    return ::pwrite(Descriptor(handle), bytes + at, size, static_cast<off_t>(offset + at));
  });
}

int PosixPlatform::GetSize(FileHandle handle, uint64_t& size) {
  struct stat info {};
  if (fstat(Descriptor(handle), &info) != 0) return errno;
  size = static_cast<uint64_t>(info.st_size);
  return 0;
}

int PosixPlatform::SetSize(FileHandle handle, uint64_t size) {
  if (size > kMaxFileOffset) return EINVAL;
  auto length = static_cast<off_t>(size);
  return RetryOnInterrupt([&] { return ftruncate(Descriptor(handle), length); }) == 0 ? 0 : errno;
}

int PosixPlatform::Flush(FileHandle handle) {
  return RetryOnInterrupt([&] { return fsync(Descriptor(handle)); }) == 0 ? 0 : errno;
}

int PosixPlatform::LockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (count == 0) return 0;  // nothing to lock; a zero length would mean "to the end"
  uint64_t length = 0;
  if (int error = LockLength(position, count, length)) return error;
  int descriptor = Descriptor(handle);
  // A read-only descriptor cannot hold an exclusive lock; a shared one still keeps writers out.
  return SetLock(descriptor, CanWrite(descriptor) ? F_WRLCK : F_RDLCK, position, length);
}

int PosixPlatform::UnlockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (count == 0) return 0;
  uint64_t length = 0;
  if (int error = LockLength(position, count, length)) return error;
  int descriptor = Descriptor(handle);
  return SetLock(descriptor, SharingLockOf(descriptor), position, length);
}

int PosixPlatform::GetStatus(FileHandle handle, const std::string& name, FileStatus& status) {
  struct statx info {};
  if (statx(Descriptor(handle), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
    return errno;
  status.created = (info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime.tv_sec : 0;
  status.modified = info.stx_mtime.tv_sec;
  status.accessed = info.stx_atime.tv_sec;
  status.size = info.stx_size;
  status.attributes = AttributesOf(info.stx_mode, name);
  return 0;
}

uint32_t PosixPlatform::BytesPerSector(const char* name) {
  struct stat info {};
  if (name == nullptr || stat(name, &info) != 0) return 0;
  std::string device = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                       std::to_string(minor(info.st_dev));
  // A partition has no queue of its own; its disk's is one folder up.
  for (const char* queue : {"/queue/logical_block_size", "/../queue/logical_block_size"}) {
    if (uint32_t size = ReadSectorSize(device + queue)) return size;
  }
  return 0;
}

bool PosixPlatform::IsSameFile(const char* first, const char* second) {
  struct stat a {}, b {};
  if (first == nullptr || second == nullptr || stat(first, &a) != 0 || stat(second, &b) != 0)
    return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool PosixPlatform::Exists(const char* name) {
  struct stat info {};
  return name != nullptr && stat(name, &info) == 0;
}

int PosixPlatform::ListFolder(const char* folder, std::vector<std::string>& names) {
  names.clear();
  if (folder == nullptr) return ENOENT;
  std::unique_ptr<DIR, FolderCloser> entries(opendir(folder));
  if (!entries) return errno;
  errno = 0;
  while (const dirent* entry = readdir(entries.get())) {
    std::string name(entry->d_name);
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  return errno;
}

short PosixPlatform::SharingLockOf(int descriptor) const {
  const std::lock_guard<std::mutex> guard(sharingLocksMutex_);
  auto found = sharingLocks_.find(descriptor);
  return found == sharingLocks_.end() ? static_cast<short>(F_UNLCK) : found->second;
}

void PosixPlatform::RememberSharingLock(int descriptor, short lock) {
  const std::lock_guard<std::mutex> guard(sharingLocksMutex_);
  sharingLocks_[descriptor] = lock;
}

void PosixPlatform::ForgetSharingLock(int descriptor) {
  const std::lock_guard<std::mutex> guard(sharingLocksMutex_);
  sharingLocks_.erase(descriptor);
}

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace mendrel
