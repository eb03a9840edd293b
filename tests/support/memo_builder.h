#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly_test {

// A DBT or FPT memo file built in memory: the 512-byte header, then blocks placed at
// chosen block numbers. Gaps are zeros, as in a damaged file.
class MemoBuilder {
 public:
  // headerBlockSize is what the header stores (0 allowed); blocks are placed by the size
  // a reader takes from it: the stored size, or 512 (DBT) / 64 (FPT) when it is 0.
  static MemoBuilder Dbt(uint16_t headerBlockSize = 512);
  static MemoBuilder Fpt(uint16_t headerBlockSize = 64);

  MemoBuilder& Dbase3(uint32_t block, const std::string& data);  // data, 0x1A 0x1A
  MemoBuilder& Dbase4(uint32_t block, const std::string& data);
  MemoBuilder& Dbase4WithLength(uint32_t block, uint32_t storedLength, const std::string& data);
  MemoBuilder& Fox(uint32_t block, uint32_t type, const std::string& data);
  MemoBuilder& FoxWithLength(uint32_t block, uint32_t type, uint32_t storedLength, const std::string& data);
  MemoBuilder& Raw(uint64_t offset, const std::string& bytes);
  MemoBuilder& TruncateTo(uint64_t length);

  uint32_t blockSize() const { return blockSize_; }
  const std::vector<char>& bytes() const { return bytes_; }
  void WriteTo(const std::string& path) const;

 private:
  MemoBuilder(bool fpt, uint16_t headerBlockSize);

  uint32_t blockSize_;
  std::vector<char> bytes_;
};

// The bytes of one memo as the engine appends it: layout, data, two 0x1A, spaces up to
// the next block boundary.
std::string Dbase3Memo(const std::string& data, uint32_t blockSize = 512);
std::string Dbase4Memo(const std::string& data, uint32_t blockSize = 512);
std::string FoxMemo(uint32_t type, const std::string& data, uint32_t blockSize = 512);

// A 512-byte memo header as the engine writes it.
std::string DbtHeader(uint32_t nextBlock, uint16_t blockSize = 512);
std::string FptHeader(uint32_t nextBlock, uint16_t blockSize = 512);

std::string LittleEndian32(uint32_t value);
std::string BigEndian32(uint32_t value);

}  // namespace tessaly_test
