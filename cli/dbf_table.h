#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli_platform.h"

namespace tessaly_cli {

constexpr size_t kDescriptorSize = 32;

// A table that cannot be shown; the text says why.
class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TableField {
  std::array<unsigned char, kDescriptorSize> descriptor{};
  std::string name;
  char type = 'C';
  unsigned length = 0;
  unsigned decimals = 0;
  size_t offset = 0;  // from the start of the record, past the deletion flag

  bool IsMemo() const;
};

// Read access to a valid (repaired) table: its header, field list and records.
class DbfTable {
 public:
  explicit DbfTable(const std::string& path);

  uint8_t version() const { return version_; }
  uint32_t recordCount() const { return recordCount_; }
  uint16_t headerLength() const { return headerLength_; }
  uint16_t recordLength() const { return recordLength_; }
  const std::vector<TableField>& fields() const { return fields_; }
  bool HasMemoFields() const;

  // Records the header announces and the file holds in full.
  uint64_t ReadableRecords() const;
  // The record at index, deletion flag first; false when it cannot be read.
  bool ReadRecord(uint64_t index, std::vector<char>& record);

 private:
  void ReadHeader(const std::string& path);
  void ReadFields(const std::string& path);

  std::ifstream in_;
  uint64_t fileSize_ = 0;
  uint8_t version_ = 0;
  uint32_t recordCount_ = 0;
  uint16_t headerLength_ = 0;
  uint16_t recordLength_ = 0;
  std::vector<TableField> fields_;
};

// The memo file beside a table, found without regard to case (exact upper case first,
// ".DBT" before ".FPT"), or nothing.
std::optional<std::string> FindMemoFile(const std::string& tablePath);

// The block size of an open memo file by its header: DBT little-endian at 20 (512
// when absent or 0), FPT big-endian at 6 (64 when absent or 0).
uint32_t ReadMemoBlockSize(NativeFile file, bool isDbt);

}  // namespace tessaly_cli
