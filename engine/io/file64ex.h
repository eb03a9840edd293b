#pragma once

#include <cstdint>
#include <memory>

#include "io/file64.h"

namespace mendrel {

// One read buffer of a CFile64Ex.
struct FileBuffer {
  char* data = nullptr;
  uint32_t capacity = 0;
  uint64_t position = 0;
  uint32_t valid = 0;

  bool Holds(uint64_t p) const {
    return data != nullptr && capacity != 0 && valid != 0 && position <= p && p < position + valid;
  }
  bool IsEmpty() const { return data == nullptr || capacity == 0 || valid == 0; }
};

// A file with its own logical position, two read buffers and sector-aligned
// reading: a sector the platform cannot read comes back as zeros.
class CFile64Ex : public CFile64 {
 public:
  static constexpr uint32_t kDefaultBufferSize = 4096;

  explicit CFile64Ex(uint32_t bufferSize = kDefaultBufferSize);
  CFile64Ex(FileHandle handle, uint32_t bufferSize);  // wraps without owning

  const CRuntimeClass* GetRuntimeClass() const override;
  ~CFile64Ex() override;
  uint64_t GetPosition() const override;
  bool Open(const char* name, uint32_t flags, CFileException* error = nullptr) override;
  std::unique_ptr<CFile64> Duplicate() const override;
  uint64_t Seek(int64_t offset, uint32_t origin) override;
  void SetLength(uint64_t length) override;
  uint32_t Read(void* buffer, uint32_t count) override;
  void Write(const void* buffer, uint32_t count) override;
  void LockRange(uint64_t position, uint64_t count) override;
  void UnlockRange(uint64_t position, uint64_t count) override;
  void Flush() override;

  static const CRuntimeClass classCFile64Ex;

  std::unique_ptr<char[]> m_pBuffer;
  uint32_t m_nBufferSize;
  std::unique_ptr<FileBuffer> m_pBufA;
  std::unique_ptr<FileBuffer> m_pBufB;
  uint64_t m_nPosition;
  uint32_t m_nSectorSize;

 protected:
  uint32_t FillBuffer();
  uint32_t ReadSectors(char* destination, uint32_t count);
  void EmptyBuffers();

 private:
  static constexpr uint32_t kDefaultSectorSize = 512;

  void AllocateBuffers();
  bool CopyFromBuffer(const FileBuffer& buffer, char*& destination, uint32_t& remaining);
  FileBuffer& BufferToFill();
  uint32_t ReadSectorsOneByOne(char* destination, uint32_t count);
  void RefreshBuffers(uint64_t position, const char* bytes, uint32_t count);
};

}  // namespace mendrel
