#include "memo_builder.h"

#include <algorithm>

#include "temp_dir.h"

namespace tessaly_test {
namespace {

constexpr size_t kHeaderSize = 512;
const std::string kTerminator = "\x1A\x1A";
const std::string kDbase4Marker("\xFF\xFF\x08\x00", 4);

std::string PadToBlock(std::string memo, uint32_t blockSize) {
  const size_t blocks = (memo.size() + blockSize - 1) / blockSize;
  memo.resize(blocks * blockSize, ' ');
  return memo;
}

}  // namespace

std::string LittleEndian32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string BigEndian32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (24 - 8 * i));
  return bytes;
}

MemoBuilder::MemoBuilder(bool fpt, uint16_t headerBlockSize)
    : blockSize_(headerBlockSize != 0 ? headerBlockSize : (fpt ? 64 : 512)), bytes_(kHeaderSize, '\0') {
  if (fpt) {
    bytes_[6] = static_cast<char>(headerBlockSize >> 8);
    bytes_[7] = static_cast<char>(headerBlockSize);
  } else {
    bytes_[20] = static_cast<char>(headerBlockSize);
    bytes_[21] = static_cast<char>(headerBlockSize >> 8);
  }
}

MemoBuilder MemoBuilder::Dbt(uint16_t headerBlockSize) { return MemoBuilder(false, headerBlockSize); }
MemoBuilder MemoBuilder::Fpt(uint16_t headerBlockSize) { return MemoBuilder(true, headerBlockSize); }

MemoBuilder& MemoBuilder::Raw(uint64_t offset, const std::string& bytes) {
  if (bytes_.size() < offset + bytes.size()) bytes_.resize(offset + bytes.size(), '\0');
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  return *this;
}

MemoBuilder& MemoBuilder::TruncateTo(uint64_t length) {
  bytes_.resize(length);
  return *this;
}

MemoBuilder& MemoBuilder::Dbase3(uint32_t block, const std::string& data) {
  return Raw(uint64_t{block} * blockSize_, data + kTerminator);
}

MemoBuilder& MemoBuilder::Dbase4(uint32_t block, const std::string& data) {
  return Dbase4WithLength(block, static_cast<uint32_t>(data.size() + 8), data);
}

MemoBuilder& MemoBuilder::Dbase4WithLength(uint32_t block, uint32_t storedLength, const std::string& data) {
  return Raw(uint64_t{block} * blockSize_, kDbase4Marker + LittleEndian32(storedLength) + data);
}

MemoBuilder& MemoBuilder::Fox(uint32_t block, uint32_t type, const std::string& data) {
  return FoxWithLength(block, type, static_cast<uint32_t>(data.size()), data);
}

MemoBuilder& MemoBuilder::FoxWithLength(uint32_t block, uint32_t type, uint32_t storedLength,
                                        const std::string& data) {
  return Raw(uint64_t{block} * blockSize_, BigEndian32(type) + BigEndian32(storedLength) + data);
}

void MemoBuilder::WriteTo(const std::string& path) const { WriteWholeFile(path, bytes_); }

std::string Dbase3Memo(const std::string& data, uint32_t blockSize) {
  return PadToBlock(data + kTerminator, blockSize);
}

std::string Dbase4Memo(const std::string& data, uint32_t blockSize) {
  return PadToBlock(kDbase4Marker + LittleEndian32(static_cast<uint32_t>(data.size() + 8)) + data + kTerminator,
                    blockSize);
}

std::string FoxMemo(uint32_t type, const std::string& data, uint32_t blockSize) {
  return PadToBlock(BigEndian32(type) + BigEndian32(static_cast<uint32_t>(data.size())) + data + kTerminator,
                    blockSize);
}

std::string DbtHeader(uint32_t nextBlock, uint16_t blockSize) {
  std::string header(kHeaderSize, '\0');
  header.replace(0, 4, LittleEndian32(nextBlock));
  header[20] = static_cast<char>(blockSize);
  header[21] = static_cast<char>(blockSize >> 8);
  return header;
}

std::string FptHeader(uint32_t nextBlock, uint16_t blockSize) {
  std::string header(kHeaderSize, '\0');
  header.replace(0, 4, BigEndian32(nextBlock));
  header[6] = static_cast<char>(blockSize >> 8);
  header[7] = static_cast<char>(blockSize);
  return header;
}

}  // namespace tessaly_test
