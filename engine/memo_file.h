#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "field_mend.h"
#include "io/file64ex.h"
#include "memo_staging.h"

namespace mendrel {

// Layout of one memo block, by the marker found at its start.
enum MemoFormat : int32_t {
  kMemoFormatDbase3 = 0,  // data ended by 0x1A
  kMemoFormatDbase4 = 1,  // FF FF 08 00, length + 8, data
  kMemoFormatFoxPro = 2,  // type and length big-endian, data
};

// FoxPro block types; memos of a DBT file are text.
enum MemoType : uint32_t {
  kMemoTypePicture = 0,
  kMemoTypeText = 1,
  kMemoTypeObject = 2,
};

inline constexpr uint32_t kMemoHeaderSize = 512;
inline constexpr uint32_t kDbtDefaultBlockSize = 512;
inline constexpr uint32_t kFptDefaultBlockSize = 64;
// Memo data crosses between files in pieces of this size, whatever its length.
inline constexpr uint32_t kMemoPieceSize = 0x100000;

// Where the data of one memo lies, as found at the start of its block.
struct MemoBlock {
  uint64_t dataPosition = 0;
  uint32_t length = 0;  // 0: no memo
  int32_t format = kMemoFormatDbase4;
  uint32_t type = kMemoTypeText;
};

// Fills buffer with the next count bytes of a memo's data.
using MemoPieceReader = std::function<void(char* buffer, uint32_t count)>;

// A DBT or FPT memo file; the kind is told by the file name's extension alone.
//
// Writes are held back and handed to the platform in runs (see MemoStaging), before any
// read, before a seek away from the end of the held bytes, by WriteHeader, FlushBuffer,
// Flush and Close, and on destruction; a failed write surfaces there as the file
// exception of the write itself. The file's length is asked of the platform once and
// then kept up to date by the object itself, as long as the file was opened so that no
// one else may write to it.
class CMemoFile : public CFile64Ex {
 public:
  explicit CMemoFile(uint32_t bufferSize = kDefaultBufferSize);
  CMemoFile(FileHandle handle, uint32_t bufferSize);
  // Writes what is held back, ignoring failure (a failure already ends the pass).
  ~CMemoFile() override;

  const CRuntimeClass* GetRuntimeClass() const override;
  bool Open(const char* name, uint32_t flags, CFileException* error = nullptr) override;
  uint64_t Seek(int64_t offset, uint32_t origin) override;
  void SetLength(uint64_t length) override;
  uint64_t GetLength() const override;
  uint32_t Read(void* buffer, uint32_t count) override;
  void Write(const void* buffer, uint32_t count) override;
  void Abort() override;
  void Flush() override;
  void Close() override;

  bool IsDbt() const;
  // Takes the block size from the header; returns the size the header stores, 0 for none.
  uint32_t ReadHeader();
  void WriteHeader();
  // Returns the data length; 0 means no memo.
  uint32_t ReadMemo(uint32_t block, std::vector<char>& data, int32_t& format, uint32_t& type);
  // Returns the block at which the memo was written.
  uint32_t AppendMemo(const std::vector<char>& data, int32_t format, uint32_t type);

  // ReadMemo without the data: where it lies and how long it is. Memory stays bounded
  // whatever the length field or the distance to the next 0x1A says.
  MemoBlock LocateMemo(uint32_t block);
  // AppendMemo with the data delivered piece by piece by readNext.
  uint32_t AppendMemo(uint32_t length, int32_t format, uint32_t type, const MemoPieceReader& readNext);

  // Hands the bytes held back to the platform.
  void FlushBuffer();

  uint32_t m_nNextBlock = 1;
  uint32_t m_nBlockSize = 512;

 private:
  MemoBlock LocateDbtMemo(uint64_t blockStart);
  MemoBlock LocateFptMemo(uint64_t blockStart);
  uint32_t ScanToTerminator(uint64_t blockStart);
  void CutToRemainingBytes(MemoBlock& memo, uint64_t dataPosition);

  // Room for count bytes at the position, held back; the caller fills it.
  char* HoldBack(uint32_t count);
  void HoldBackRepeated(uint64_t count, unsigned char byte);
  void HoldBackTail(uint64_t padding);
  // Writes at the position at once, keeping the known length up to date.
  void WriteToPlatform(const void* buffer, uint32_t count);
  void ForgetLength() const { m_bLengthKnown = false; }

  MemoStaging m_staging;
  bool m_bLengthStays = false;  // opened so that no one else may write to it
  mutable bool m_bLengthKnown = false;
  mutable uint64_t m_nKnownLength = 0;  // without the bytes held back
  mutable std::string m_strKindPath;  // the path IsDbt last judged, and its answer
  mutable bool m_bKindIsDbt = true;
};

// Moves the memo a field points to from the source memo file (possibly not open)
// into the output memo file and rewrites the field with the new block number. Returns
// kMemoCopied, the reason a pointer was cleared, or kNoMend for a field that pointed to no memo.
FieldMends CopyMemoField(char* fieldBytes, uint32_t length, CMemoFile& sourceMemo, CMemoFile& outputMemo);

}  // namespace mendrel
