#pragma once

#include <cstdint>
#include <vector>

#include "io/file64ex.h"

namespace mendrel {

// Layout of one memo block, by the marker found at its start.
enum MemoFormat : int32_t {
  kMemoFormatDbase3 = 0,  // data ended by 0x1A
  kMemoFormatDbase4 = 1,  // FF FF 08 00, length + 8, data
  kMemoFormatFoxPro = 2,  // type and length big-endian, data
};

// A DBT or FPT memo file; the kind is told by the file name's extension alone.
class CMemoFile : public CFile64Ex {
 public:
  explicit CMemoFile(uint32_t bufferSize = kDefaultBufferSize);
  CMemoFile(FileHandle handle, uint32_t bufferSize);

  const CRuntimeClass* GetRuntimeClass() const override;
  bool Open(const char* name, uint32_t flags, CFileException* error = nullptr) override;

  bool IsDbt() const;
  void ReadHeader();
  void WriteHeader();
  // Returns the data length; 0 means no memo.
  uint32_t ReadMemo(uint32_t block, std::vector<char>& data, int32_t& format, uint32_t& type);
  // Returns the block at which the memo was written.
  uint32_t AppendMemo(const std::vector<char>& data, int32_t format, uint32_t type);

  uint32_t m_nNextBlock = 1;
  uint32_t m_nBlockSize = 512;
};

// Moves the memo a field points to from the source memo file (possibly not open)
// into the output memo file and rewrites the field with the new block number.
void CopyMemoField(char* fieldBytes, uint32_t length, CMemoFile& sourceMemo, CMemoFile& outputMemo);

}  // namespace mendrel
