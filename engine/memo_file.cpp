#include "memo_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "byte_order.h"
#include "io/open_request.h"
#include "io/platform.h"
#include "memo_file_name.h"
#include "memo_reader.h"
#include "path_rules.h"

namespace mendrel {
namespace {

constexpr uint32_t kDbase4Marker = 0x0008FFFF;
constexpr uint32_t kDbase4HeaderSize = 8;  // marker and length, counted in the length field
constexpr uint32_t kFptBlockHeaderSize = 8;
constexpr unsigned char kMemoTerminator = 0x1A;
constexpr unsigned char kMemoPadByte = 0x20;
constexpr uint32_t kTerminatorSize = 2;
constexpr uint32_t kDbtNextBlockOffset = 0;
constexpr uint32_t kDbtBlockSizeOffset = 20;
constexpr uint32_t kFptNextBlockOffset = 0;
constexpr uint32_t kFptBlockSizeOffset = 6;
// The terminator scan starts with one read buffer's worth (most memos are short) and
// doubles up to one memo piece.
constexpr uint32_t kFirstScanSize = CFile64Ex::kDefaultBufferSize;

std::string UpperCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Only then can the length learned once stay true for the file's whole life.
bool NoOneElseMayWrite(uint32_t flags) {
  const FileSharing sharing = OpenRequestForFlags(flags).sharing;
  return sharing == FileSharing::exclusive || sharing == FileSharing::denyWrite;
}

}  // namespace

CMemoFile::CMemoFile(uint32_t bufferSize) : CFile64Ex(bufferSize) {}

CMemoFile::CMemoFile(FileHandle handle, uint32_t bufferSize) : CFile64Ex(handle, bufferSize) {}

CMemoFile::~CMemoFile() {
  try {
    if (IsOpen()) FlushBuffer();
  } catch (...) {
  }
}

const CRuntimeClass* CMemoFile::GetRuntimeClass() const { return &CFile64Ex::classCFile64Ex; }

bool CMemoFile::Open(const char* name, uint32_t flags, CFileException* error) {
  m_nNextBlock = 1;
  try {
    if (IsOpen()) FlushBuffer();  // the file open so far keeps what was written to it
  } catch (const CException&) {
  }
  m_staging.Clear();
  ForgetLength();
  m_bLengthStays = false;
  if (!CFile64Ex::Open(name, flags, error)) return false;
  m_bLengthStays = NoOneElseMayWrite(flags);
  return true;
}

uint64_t CMemoFile::Seek(int64_t offset, uint32_t origin) {
  if (origin == end) {
    m_nPosition = GetLength() + static_cast<uint64_t>(offset);
  } else {
    CFile64Ex::Seek(offset, origin);
  }
  if (!m_staging.IsEmpty() && m_nPosition != m_staging.End()) FlushBuffer();
  return m_nPosition;
}

void CMemoFile::SetLength(uint64_t length) {
  FlushBuffer();
  ForgetLength();
  CFile64Ex::SetLength(length);
}

uint64_t CMemoFile::GetLength() const {
  uint64_t length = m_nKnownLength;
  if (!m_bLengthKnown || !m_bLengthStays) {
    length = CFile64Ex::GetLength();
    m_nKnownLength = length;
    m_bLengthKnown = true;
  }
  return m_staging.IsEmpty() ? length : std::max(length, m_staging.End());
}

uint32_t CMemoFile::Read(void* buffer, uint32_t count) {
  FlushBuffer();
  return CFile64Ex::Read(buffer, count);
}

void CMemoFile::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  // A closed file, a position the platform cannot reach, or a write larger than a run:
  // at once, so that the platform answers as for any other file.
  if (!IsOpen() || m_nPosition > kMaxFileOffset - count || count > MemoStaging::kRunSize) {
    FlushBuffer();
    WriteToPlatform(buffer, count);
    return;
  }
  std::memcpy(HoldBack(count), buffer, count);
}

char* CMemoFile::HoldBack(uint32_t count) {
  if (!m_staging.Takes(m_nPosition, count)) FlushBuffer();
  char* room = m_staging.Reserve(m_nPosition, count);
  m_nPosition += count;
  return room;
}

void CMemoFile::HoldBackRepeated(uint64_t count, unsigned char byte) {
  while (count != 0) {
    const auto piece = static_cast<uint32_t>(std::min<uint64_t>(count, MemoStaging::kRunSize));
    std::memset(HoldBack(piece), byte, piece);
    count -= piece;
  }
}

// The two terminator bytes and the spaces up to the block boundary.
void CMemoFile::HoldBackTail(uint64_t padding) {
  if (kTerminatorSize + padding > MemoStaging::kRunSize) {
    HoldBackRepeated(kTerminatorSize, kMemoTerminator);
    HoldBackRepeated(padding, kMemoPadByte);
    return;
  }
  char* tail = HoldBack(static_cast<uint32_t>(kTerminatorSize + padding));
  std::memset(tail, kMemoTerminator, kTerminatorSize);
  std::memset(tail + kTerminatorSize, kMemoPadByte, padding);
}

void CMemoFile::FlushBuffer() {
  if (m_staging.IsEmpty()) return;
  const uint64_t position = m_nPosition;
  const uint64_t start = m_staging.Start();
  const uint32_t size = m_staging.Size();
  m_staging.Clear();  // a failed write is not tried again; the bytes stay where they are
  m_nPosition = start;
  WriteToPlatform(m_staging.Data(), size);
  m_nPosition = position;
}

void CMemoFile::WriteToPlatform(const void* buffer, uint32_t count) {
  const bool lengthWasKnown = m_bLengthKnown && m_nPosition <= kMaxFileOffset - count;
  ForgetLength();  // until the write has succeeded
  CFile64Ex::Write(buffer, count);
  if (lengthWasKnown) {
    m_nKnownLength = std::max(m_nKnownLength, m_nPosition);
    m_bLengthKnown = true;
  }
}

void CMemoFile::Abort() {
  m_staging.Clear();
  ForgetLength();
  CFile64Ex::Abort();
}

void CMemoFile::Flush() {
  FlushBuffer();
  CFile64Ex::Flush();
}

void CMemoFile::Close() {
  try {
    FlushBuffer();
  } catch (...) {
    Abort();
    throw;
  }
  ForgetLength();
  CFile64Ex::Close();
}

bool CMemoFile::IsDbt() const {
  if (m_strFileName != m_strKindPath) {
    m_strKindPath = m_strFileName;
    m_bKindIsDbt = UpperCaseAscii(FileExtension(m_strKindPath)) != kFptExtension;
  }
  return m_bKindIsDbt;
}

uint32_t CMemoFile::ReadHeader() {
  m_nBlockSize = IsDbt() ? kDbtDefaultBlockSize : kFptDefaultBlockSize;
  std::array<unsigned char, kMemoHeaderSize> header{};
  Seek(0, begin);
  const uint32_t got = Read(header.data(), kMemoHeaderSize);
  uint32_t stored = 0;
  if (IsDbt()) {
    if (got >= kDbtBlockSizeOffset + 2) stored = ReadLE16(&header[kDbtBlockSizeOffset]);
  } else {
    if (got >= kFptBlockSizeOffset + 2) stored = ReadBE16(&header[kFptBlockSizeOffset]);
  }
  if (stored != 0) m_nBlockSize = stored;
  return stored;
}

void CMemoFile::WriteHeader() {
  std::array<unsigned char, kMemoHeaderSize> header{};
  const auto blockSize = static_cast<uint16_t>(m_nBlockSize);
  if (IsDbt()) {
    WriteLE32(&header[kDbtNextBlockOffset], m_nNextBlock);
    WriteLE16(&header[kDbtBlockSizeOffset], blockSize);
  } else {
    WriteBE32(&header[kFptNextBlockOffset], m_nNextBlock);
    WriteBE16(&header[kFptBlockSizeOffset], blockSize);
  }
  Seek(0, begin);  // hands over what is held back
  // At once, so that a failure shows where it happens, as for the first header.
  WriteToPlatform(header.data(), kMemoHeaderSize);
}

MemoBlock CMemoFile::LocateMemo(uint32_t block) {
  if (block == 0) return MemoBlock{};
  const uint64_t blockStart = uint64_t{block} * m_nBlockSize;
  Seek(static_cast<int64_t>(blockStart), begin);
  return IsDbt() ? LocateDbtMemo(blockStart) : LocateFptMemo(blockStart);
}

// The 8 bytes at the start of a block are read at once: the same bytes as two reads of 4.
MemoBlock CMemoFile::LocateDbtMemo(uint64_t blockStart) {
  MemoBlock memo;
  unsigned char fields[8];
  const uint32_t got = Read(fields, sizeof fields);
  if (got >= 4 && ReadLE32(fields) == kDbase4Marker) {
    memo.format = kMemoFormatDbase4;
    if (got < 8) return memo;
    const uint32_t stored = ReadLE32(fields + 4);
    if (stored <= kDbase4HeaderSize) return memo;
    memo.length = stored - kDbase4HeaderSize;
    CutToRemainingBytes(memo, blockStart + kDbase4HeaderSize);
    return memo;
  }
  memo.format = kMemoFormatDbase3;
  memo.dataPosition = blockStart;
  memo.length = ScanToTerminator(blockStart);
  return memo;
}

MemoBlock CMemoFile::LocateFptMemo(uint64_t blockStart) {
  MemoBlock memo;
  memo.format = kMemoFormatFoxPro;
  unsigned char fields[8];
  const uint32_t got = Read(fields, sizeof fields);
  if (got < 4) return memo;
  memo.type = ReadBE32(fields);
  if (got < 8) return memo;
  memo.length = ReadBE32(fields + 4);
  if (memo.length != 0) CutToRemainingBytes(memo, blockStart + kFptBlockHeaderSize);
  return memo;
}

// A length field pointing beyond the end of the file is cut to the bytes that exist.
void CMemoFile::CutToRemainingBytes(MemoBlock& memo, uint64_t dataPosition) {
  memo.dataPosition = dataPosition;
  const uint64_t fileLength = GetLength();
  const uint64_t remaining = fileLength > dataPosition ? fileLength - dataPosition : 0;
  if (memo.length >= remaining) memo.length = static_cast<uint32_t>(remaining);
}

// The number of bytes before the first 0x1A (or the end of the file), read in bounded
// pieces. A memo cannot be longer than its 32-bit length, so the scan stops there.
uint32_t CMemoFile::ScanToTerminator(uint64_t blockStart) {
  std::vector<char> chunk;
  uint64_t length = 0;
  uint32_t chunkSize = kFirstScanSize;
  Seek(static_cast<int64_t>(blockStart), begin);
  while (length < UINT32_MAX) {
    chunk.resize(chunkSize);
    const uint32_t got = Read(chunk.data(), chunkSize);
    const auto* terminator = static_cast<const char*>(std::memchr(chunk.data(), kMemoTerminator, got));
    if (terminator != nullptr) {
      length += static_cast<uint64_t>(terminator - chunk.data());
      break;
    }
    length += got;
    if (got < chunkSize) break;
    chunkSize = std::min(chunkSize * 2, kMemoPieceSize);
  }
  return static_cast<uint32_t>(std::min<uint64_t>(length, UINT32_MAX));
}

uint32_t CMemoFile::ReadMemo(uint32_t block, std::vector<char>& data, int32_t& format, uint32_t& type) {
  const MemoBlock memo = LocateMemo(block);
  format = memo.format;
  type = memo.type;
  data.assign(memo.length, 0);
  if (memo.length != 0) MemoReader(*this, memo).ReadNext(data.data(), memo.length);
  return memo.length;
}

uint32_t CMemoFile::AppendMemo(const std::vector<char>& data, int32_t format, uint32_t type) {
  const char* next = data.data();
  return AppendMemo(static_cast<uint32_t>(data.size()), format, type, [&next](char* buffer, uint32_t count) {
    std::memcpy(buffer, next, count);
    next += count;
  });
}

uint32_t CMemoFile::AppendMemo(uint32_t length, int32_t format, uint32_t type, const MemoPieceReader& readNext) {
  const uint32_t firstBlock = m_nNextBlock;
  const uint64_t blockSize = m_nBlockSize;
  const uint64_t start = blockSize * m_nNextBlock;
  const uint64_t fileLength = GetLength();
  if (start > fileLength) {
    Seek(0, end);
    WriteFill(*this, start - fileLength, kMemoPadByte);
  }
  Seek(static_cast<int64_t>(start), begin);

  uint32_t overhead = kTerminatorSize;
  if (!IsDbt()) {
    char* blockHeader = HoldBack(kFptBlockHeaderSize);
    WriteBE32(blockHeader, type);
    WriteBE32(blockHeader + 4, length);
    overhead += kFptBlockHeaderSize;
  } else if (format != kMemoFormatDbase3) {
    char* blockHeader = HoldBack(kDbase4HeaderSize);
    WriteLE32(blockHeader, kDbase4Marker);
    WriteLE32(blockHeader + 4, length + kDbase4HeaderSize);
    overhead += kDbase4HeaderSize;
  }
  for (uint32_t remaining = length; remaining != 0;) {
    const uint32_t piece = std::min(remaining, kMemoPieceSize);
    readNext(HoldBack(piece), piece);
    remaining -= piece;
  }
  const uint64_t used = uint64_t{length} + overhead;
  const uint64_t blocks = (used + blockSize - 1) / blockSize;
  HoldBackTail(blocks * blockSize - used);
  m_nNextBlock += static_cast<uint32_t>(blocks);
  return firstBlock;
}

}  // namespace mendrel
