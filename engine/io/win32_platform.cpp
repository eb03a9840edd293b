#include "io/win32_platform.h"

#include <windows.h>

#include <utility>

#include "io/volume_root.h"

namespace mendrel {
namespace {

constexpr uint32_t kSmallestSectorSize = 512;
constexpr uint32_t kLargestSectorSize = 65536;
// Seconds from 1601-01-01 (the file-time epoch) to 1970-01-01.
constexpr uint64_t kFileTimeEpochOffset = 11644473600ull;
constexpr uint64_t kFileTimeTicksPerSecond = 10000000ull;
constexpr uint8_t kStatusAttributes = kAttributeReadOnly | kAttributeHidden | kAttributeSystem |
                                      kAttributeDirectory | kAttributeArchive;

HANDLE Native(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }
FileHandle Portable(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

DWORD Low(uint64_t value) { return static_cast<DWORD>(value & 0xFFFFFFFFu); }
DWORD High(uint64_t value) { return static_cast<DWORD>(value >> 32); }

// The last error of a call that reported failure; never 0, so that a failure stays one.
int LastError() {
  DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<int>(error) : static_cast<int>(ERROR_GEN_FAILURE);
}

// Closes a handle on every early return.
class HandleGuard {
 public:
  explicit HandleGuard(HANDLE handle) : handle_(handle) {}
  ~HandleGuard() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

DWORD DesiredAccess(FileAccess access) {
  switch (access) {
    case FileAccess::read: return GENERIC_READ;
    case FileAccess::write: return GENERIC_WRITE;
    case FileAccess::readWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return 0;
  }
}

DWORD ShareMode(FileSharing sharing) {
  switch (sharing) {
    case FileSharing::denyWrite: return FILE_SHARE_READ;
    case FileSharing::denyRead: return FILE_SHARE_WRITE;
    case FileSharing::denyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;
  }
}

DWORD CreationDisposition(FileCreation creation) {
  switch (creation) {
    case FileCreation::createAlways: return CREATE_ALWAYS;
    case FileCreation::openAlways: return OPEN_ALWAYS;
    default: return OPEN_EXISTING;
  }
}

DWORD MoveMethod(SeekOrigin origin) {
  switch (origin) {
    case SeekOrigin::current: return FILE_CURRENT;
    case SeekOrigin::end: return FILE_END;
    default: return FILE_BEGIN;
  }
}

// Moves the file pointer by a distance split into its two halves. The all-ones low
// half is also a valid position, so only the last error tells a failure.
int MovePointer(HANDLE file, int64_t distance, DWORD method, uint64_t& position) {
  LONG high = static_cast<LONG>(static_cast<uint64_t>(distance) >> 32);
  SetLastError(ERROR_SUCCESS);
  DWORD low = SetFilePointer(file, static_cast<LONG>(Low(static_cast<uint64_t>(distance))), &high,
                             method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) return LastError();
  position = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
  return 0;
}

// Runs a positioned transfer and puts the file pointer back where it stood, since a
// positioned call on a synchronous handle leaves the pointer behind the bytes moved.
template <typename Transfer>
int KeepingPointer(HANDLE file, Transfer transfer) {
  uint64_t saved = 0;
  if (int error = MovePointer(file, 0, FILE_CURRENT, saved)) return error;
  int error = transfer();
  uint64_t ignored = 0;
  MovePointer(file, static_cast<int64_t>(saved), FILE_BEGIN, ignored);
  return error;
}

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED where{};
  where.Offset = Low(offset);
  where.OffsetHigh = High(offset);
  return where;
}

// Repeats a read until count bytes came, the end of the file, or an error. A read that
// moved some bytes before an error reports them; the error comes back on the next call.
template <typename ReadPiece>
int ReadAll(uint32_t count, uint32_t& done, ReadPiece readPiece) {
  done = 0;
  while (done < count) {
    DWORD moved = 0;
    if (!readPiece(done, count - done, moved)) {
      DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      return done > 0 ? 0 : LastError();
    }
    if (moved == 0) break;
    done += moved;
  }
  return 0;
}

template <typename WritePiece>
int WriteAll(uint32_t count, uint32_t& done, WritePiece writePiece) {
  done = 0;
  while (done < count) {
    DWORD moved = 0;
    if (!writePiece(done, count - done, moved)) return LastError();
    if (moved == 0) break;
    done += moved;
  }
  return 0;
}

std::time_t UnixTime(const FILETIME& time) {
  uint64_t ticks = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  uint64_t seconds = ticks / kFileTimeTicksPerSecond;
  return seconds <= kFileTimeEpochOffset ? 0
                                          : static_cast<std::time_t>(seconds - kFileTimeEpochOffset);
}

// Identifies a file or folder by its volume and its index on that volume.
bool FileIdentity(const char* name, BY_HANDLE_FILE_INFORMATION& info) {
  HandleGuard file(CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file.get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file.get(), &info);
}

// The pattern that lists every entry of a folder.
std::string EveryEntryOf(const std::string& folder) {
  if (folder.empty()) return "*";
  char last = folder.back();
  return folder + (last == '\\' || last == '/' || last == ':' ? "*" : "\\*");
}

}  // namespace

int Win32Platform::FullPath(const char* name, std::string& fullPath) {
  if (name == nullptr || *name == '\0') return ERROR_FILE_NOT_FOUND;
  DWORD size = GetFullPathNameA(name, 0, nullptr, nullptr);
  if (size == 0) return LastError();
  std::string path(size, '\0');
  DWORD length = GetFullPathNameA(name, size, path.data(), nullptr);
  if (length == 0 || length >= size) return length == 0 ? LastError() : ERROR_BUFFER_OVERFLOW;
  path.resize(length);
  fullPath = std::move(path);
  return 0;
}

int Win32Platform::Open(const char* name, const OpenRequest& request, FileHandle& handle) {
  handle = kInvalidHandle;
  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof security;
  security.bInheritHandle = request.inheritable ? TRUE : FALSE;
  HandleGuard file(CreateFileA(name, DesiredAccess(request.access), ShareMode(request.sharing),
                               &security, CreationDisposition(request.creation),
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return LastError();
  // A pipe, console or device never ends: a read that always fails would be delivered
  // as zeros for ever.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return ERROR_ACCESS_DENIED;
  handle = Portable(file.Release());
  return 0;
}

// The invalid-handle value is also the pseudo handle of the current process, which the
// handle calls would take for a real one.
int Win32Platform::Close(FileHandle handle) {
  if (handle == kInvalidHandle) return ERROR_INVALID_HANDLE;
  return CloseHandle(Native(handle)) ? 0 : LastError();
}

int Win32Platform::Duplicate(FileHandle handle, FileHandle& copy) {
  if (handle == kInvalidHandle) return ERROR_INVALID_HANDLE;
  HANDLE process = GetCurrentProcess();
  HANDLE duplicate = INVALID_HANDLE_VALUE;
  if (!DuplicateHandle(process, Native(handle), process, &duplicate, 0, FALSE,
                       DUPLICATE_SAME_ACCESS))
    return LastError();
  copy = Portable(duplicate);
  return 0;
}

int Win32Platform::Seek(FileHandle handle, int64_t offset, SeekOrigin origin, uint64_t& position) {
  if (origin != SeekOrigin::begin && origin != SeekOrigin::current && origin != SeekOrigin::end)
    return ERROR_INVALID_PARAMETER;
  return MovePointer(Native(handle), offset, MoveMethod(origin), position);
}

int Win32Platform::Read(FileHandle handle, void* buffer, uint32_t count, uint32_t& done) {
  char* bytes = static_cast<char*>(buffer);
  return ReadAll(count, done, [&](uint32_t at, uint32_t size, DWORD& moved) {
    return ReadFile(Native(handle), bytes + at, size, &moved, nullptr) != FALSE;
  });
}

int Win32Platform::Write(FileHandle handle, const void* buffer, uint32_t count, uint32_t& done) {
  const char* bytes = static_cast<const char*>(buffer);
  return WriteAll(count, done, [&](uint32_t at, uint32_t size, DWORD& moved) {
    return WriteFile(Native(handle), bytes + at, size, &moved, nullptr) != FALSE;
  });
}

int Win32Platform::ReadAt(FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
                          uint32_t& done) {
  done = 0;
  if (offset > kMaxFileOffset) return ERROR_NEGATIVE_SEEK;
  char* bytes = static_cast<char*>(buffer);
  return KeepingPointer(Native(handle), [&] {
    return ReadAll(count, done, [&](uint32_t at, uint32_t size, DWORD& moved) {
      OVERLAPPED where = At(offset + at);
      return ReadFile(Native(handle), bytes + at, size, &moved, &where) != FALSE;
    });
  });
}

int Win32Platform::WriteAt(FileHandle handle, const void* buffer, uint32_t count, uint64_t offset,
                           uint32_t& done) {
  done = 0;
  if (offset > kMaxFileOffset) return ERROR_NEGATIVE_SEEK;
  const char* bytes = static_cast<const char*>(buffer);
  return KeepingPointer(Native(handle), [&] {
    return WriteAll(count, done, [&](uint32_t at, uint32_t size, DWORD& moved) {
      OVERLAPPED where = At(offset + at);
      return WriteFile(Native(handle), bytes + at, size, &moved, &where) != FALSE;
    });
  });
}

int Win32Platform::GetSize(FileHandle handle, uint64_t& size) {
  DWORD high = 0;
  SetLastError(ERROR_SUCCESS);
  DWORD low = GetFileSize(Native(handle), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return LastError();
  size = (static_cast<uint64_t>(high) << 32) | low;
  return 0;
}

// The end of the file is set where the pointer stands; the pointer goes back after.
int Win32Platform::SetSize(FileHandle handle, uint64_t size) {
  if (size > kMaxFileOffset) return ERROR_NEGATIVE_SEEK;
  HANDLE file = Native(handle);
  return KeepingPointer(file, [&] {
    uint64_t ignored = 0;
    if (int error = MovePointer(file, static_cast<int64_t>(size), FILE_BEGIN, ignored))
      return error;
    return SetEndOfFile(file) ? 0 : LastError();
  });
}

int Win32Platform::Flush(FileHandle handle) {
  return FlushFileBuffers(Native(handle)) ? 0 : LastError();
}

int Win32Platform::LockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (count == 0) return 0;
  return LockFile(Native(handle), Low(position), High(position), Low(count), High(count))
             ? 0
             : LastError();
}

int Win32Platform::UnlockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (count == 0) return 0;
  return UnlockFile(Native(handle), Low(position), High(position), Low(count), High(count))
             ? 0
             : LastError();
}

int Win32Platform::GetStatus(FileHandle handle, const std::string&, FileStatus& status) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(Native(handle), &info)) return LastError();
  status.created = UnixTime(info.ftCreationTime);
  status.modified = UnixTime(info.ftLastWriteTime);
  status.accessed = UnixTime(info.ftLastAccessTime);
  status.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  status.attributes = static_cast<uint8_t>(info.dwFileAttributes & kStatusAttributes);
  return 0;
}

uint32_t Win32Platform::BytesPerSector(const char* name) {
  if (name == nullptr) return 0;
  const std::string root = VolumeRoot(name);
  if (root.empty()) return 0;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &clusters))
    return 0;
  bool powerOfTwo = (bytesPerSector & (bytesPerSector - 1)) == 0;
  return powerOfTwo && bytesPerSector >= kSmallestSectorSize && bytesPerSector <= kLargestSectorSize
             ? bytesPerSector
             : 0;
}

bool Win32Platform::IsSameFile(const char* first, const char* second) {
  BY_HANDLE_FILE_INFORMATION a{}, b{};
  if (first == nullptr || second == nullptr || !FileIdentity(first, a) || !FileIdentity(second, b))
    return false;
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
         a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

bool Win32Platform::Exists(const char* name) {
  return name != nullptr && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

int Win32Platform::ListFolder(const char* folder, std::vector<std::string>& names) {
  names.clear();
  if (folder == nullptr) return ERROR_FILE_NOT_FOUND;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA(EveryEntryOf(folder).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    int error = LastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;  // an empty folder
  }
  do {
    std::string name(entry.cFileName);
    if (name != "." && name != "..") names.push_back(std::move(name));
  } while (FindNextFileA(search, &entry));
  int error = GetLastError() == ERROR_NO_MORE_FILES ? 0 : LastError();
  FindClose(search);
  return error;
}

Platform& SystemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace mendrel
