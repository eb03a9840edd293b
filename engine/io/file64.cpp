#include "io/file64.h"

#include <algorithm>

#include "io/open_request.h"
#include "io/path_separator.h"
#include "io/platform.h"

namespace mendrel {
namespace {

// Longest full path and file name a status record or file name carries.
constexpr size_t kMaxStatusPath = 259;
constexpr size_t kMaxFileName = 255;

void ThrowOnError(int error) {
  if (error != 0) CFileException::ThrowOsError(error);
}

std::string LastPathComponent(const std::string& path) {
  size_t slash = LastPathSeparator(path);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.substr(0, kMaxFileName);
}

}  // namespace

const CRuntimeClass CFile64::classCFile64 = {"CFile64", nullptr};

CFile64::CFile64() : m_hFile(kInvalidHandle), m_bCloseOnDelete(0) {}

CFile64::CFile64(FileHandle handle) : m_hFile(handle), m_bCloseOnDelete(0) {}

const CRuntimeClass* CFile64::GetRuntimeClass() const { return &classCFile64; }

// A failing close cannot be reported from here; the engine closes its files itself.
CFile64::~CFile64() {
  if (IsOpen() && m_bCloseOnDelete) {
    CurrentPlatform().Close(m_hFile);
    ForgetFile();
  }
}

uint64_t CFile64::GetPosition() const {
  uint64_t position = 0;
  ThrowOnError(CurrentPlatform().Seek(m_hFile, 0, SeekOrigin::current, position));
  return position;
}

// Taken from the path as the status record holds it.
std::string CFile64::GetFileName() const {
  return LastPathComponent(m_strFileName.substr(0, kMaxStatusPath));
}

// This platform offers no display title apart from the name itself.
std::string CFile64::GetFileTitle() const { return GetFileName(); }

std::string CFile64::GetFilePath() const { return m_strFileName; }

void CFile64::SetFilePath(const std::string& name) { m_strFileName = name; }

bool CFile64::Open(const char* name, uint32_t flags, CFileException* error) {
  // Reopening an object that owns an open file would leak the handle and its sharing lock.
  if (IsOpen() && m_bCloseOnDelete) Abort();
  ForgetFile();

  const char* asPassed = name != nullptr ? name : "";
  Platform& platform = CurrentPlatform();
  int failure = platform.FullPath(asPassed, m_strFileName);
  if (failure == 0) {
    FileHandle handle = kInvalidHandle;
    failure = platform.Open(asPassed, OpenRequestForFlags(flags), handle);
    if (failure == 0) {
      m_hFile = handle;
      m_bCloseOnDelete = 1;
      return true;
    }
  }
  if (error != nullptr) {
    error->m_lOsError = failure;
    error->m_cause = CFileException::OsErrorToCause(failure);
    error->m_strFileName = asPassed;
  }
  return false;
}

// The copy is a handle only this object knows of, so it always closes it.
std::unique_ptr<CFile64> CFile64::Duplicate() const {
  FileHandle copy = kInvalidHandle;
  ThrowOnError(CurrentPlatform().Duplicate(m_hFile, copy));
  auto file = std::make_unique<CFile64>(copy);
  file->m_bCloseOnDelete = 1;
  return file;
}

uint64_t CFile64::Seek(int64_t offset, uint32_t origin) {
  uint64_t position = 0;
  ThrowOnError(
      CurrentPlatform().Seek(m_hFile, offset, static_cast<SeekOrigin>(origin), position));
  return position;
}

void CFile64::SetLength(uint64_t length) {
  Seek(static_cast<int64_t>(length), begin);
  ThrowOnError(CurrentPlatform().SetSize(m_hFile, length));
}

uint64_t CFile64::GetLength() const {
  uint64_t size = 0;
  ThrowOnError(CurrentPlatform().GetSize(m_hFile, size));
  return size;
}

uint32_t CFile64::Read(void* buffer, uint32_t count) {
  if (count == 0) return 0;
  uint32_t done = 0;
  ThrowOnError(CurrentPlatform().Read(m_hFile, buffer, count, done));
  return done;
}

void CFile64::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  uint32_t done = 0;
  int error = CurrentPlatform().Write(m_hFile, buffer, count, done);
  CheckWritten(error, done, count);
}

void CFile64::CheckWritten(int error, uint32_t done, uint32_t count) const {
  if (error != 0) CFileException::ThrowOsError(error, m_strFileName);
  if (done < count) throw CFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile64::LockRange(uint64_t position, uint64_t count) {
  ThrowOnError(CurrentPlatform().LockRange(m_hFile, position, count));
}

void CFile64::UnlockRange(uint64_t position, uint64_t count) {
  ThrowOnError(CurrentPlatform().UnlockRange(m_hFile, position, count));
}

void CFile64::Abort() {
  if (IsOpen()) CurrentPlatform().Close(m_hFile);
  m_hFile = kInvalidHandle;
  m_strFileName.clear();
}

void CFile64::Flush() {
  if (!IsOpen()) return;
  ThrowOnError(CurrentPlatform().Flush(m_hFile));
}

void CFile64::Close() {
  int error = IsOpen() ? CurrentPlatform().Close(m_hFile) : 0;
  ForgetFile();
  ThrowOnError(error);
}

void CFile64::ForgetFile() {
  m_hFile = kInvalidHandle;
  m_bCloseOnDelete = 0;
  m_strFileName.clear();
}

bool CFile64::GetStatus(CFileStatus& status) const {
  status.m_szFullName = m_strFileName.substr(0, kMaxStatusPath);
  if (!IsOpen()) return true;
  FileStatus file;
  if (CurrentPlatform().GetStatus(m_hFile, m_strFileName, file) != 0) return false;
  status.m_mtime = file.modified;
  status.m_ctime = file.created != 0 ? file.created : file.modified;
  status.m_atime = file.accessed != 0 ? file.accessed : file.modified;
  status.m_size = static_cast<uint32_t>(file.size);
  status.m_attribute = file.attributes;
  return true;
}

}  // namespace mendrel
