#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "io/file_exception.h"
#include "io/file_handle.h"
#include "io/runtime_class.h"

namespace mendrel {

struct CFileStatus {
  std::time_t m_ctime = 0;  // creation
  std::time_t m_mtime = 0;  // last modification
  std::time_t m_atime = 0;  // last access
  uint32_t m_size = 0;
  uint8_t m_attribute = 0;
  std::string m_szFullName;  // at most 259 characters
};

// Unbuffered file over one platform handle, with 64-bit positions. Every failure
// except a failed Open throws CFileException.
class CFile64 {
 public:
  enum OpenFlags : uint32_t {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition : uint32_t { begin = 0, current = 1, end = 2 };

  // The two combinations the engine uses.
  static constexpr uint32_t kReadFlags = typeBinary | shareDenyWrite | modeRead;               // 0x8020
  static constexpr uint32_t kWriteFlags = typeBinary | modeCreate | shareExclusive | modeWrite;  // 0x9011

  CFile64();
  explicit CFile64(FileHandle handle);  // wraps without owning
  CFile64(const CFile64&) = delete;
  CFile64& operator=(const CFile64&) = delete;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CFile64();
  virtual void Serialize() {}
  virtual uint64_t GetPosition() const;
  virtual std::string GetFileName() const;
  virtual std::string GetFileTitle() const;
  virtual std::string GetFilePath() const;
  virtual void SetFilePath(const std::string& name);
  virtual bool Open(const char* name, uint32_t flags, CFileException* error = nullptr);
  virtual std::unique_ptr<CFile64> Duplicate() const;
  virtual uint64_t Seek(int64_t offset, uint32_t origin);
  virtual void SetLength(uint64_t length);
  virtual uint64_t GetLength() const;
  virtual uint32_t Read(void* buffer, uint32_t count);
  virtual void Write(const void* buffer, uint32_t count);
  virtual void LockRange(uint64_t position, uint64_t count);
  virtual void UnlockRange(uint64_t position, uint64_t count);
  virtual void Abort();
  virtual void Flush();
  virtual void Close();
  virtual const void* GetBufferPtr() const { return nullptr; }

  bool GetStatus(CFileStatus& status) const;
  bool IsOpen() const { return m_hFile != kInvalidHandle; }

  static const CRuntimeClass classCFile64;

 protected:
  // Throws for a write that failed or moved fewer than count bytes.
  void CheckWritten(int error, uint32_t done, uint32_t count) const;

 public:

  FileHandle m_hFile;
  int32_t m_bCloseOnDelete;
  std::string m_strFileName;

 private:
  // The closed state: no handle, nothing to close, no name.
  void ForgetFile();
};

// Writes count copies of one byte through the file's virtual Write, 512 at a time.
void WriteFill(CFile64& file, uint64_t count, uint8_t byte);
void WriteByte(CFile64& file, uint8_t byte);

}  // namespace mendrel
