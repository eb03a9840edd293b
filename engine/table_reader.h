#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "field_descriptor.h"
#include "memo_file.h"
#include "table_header.h"

namespace mendrel {

// One field of a table opened for reading.
struct TableField {
  FieldDescriptor descriptor{};
  uint32_t length = 0;  // bytes in a record
  uint32_t offset = 0;  // from the start of a record, whose deletion flag is byte 0
  bool isMemo = false;  // holds a memo block number
};

// Why a table could not be opened for reading.
enum class TableOpenFailure { unreadable, notATable };

struct TableOpenError {
  TableOpenFailure failure = TableOpenFailure::unreadable;
  std::string reason;
};

// A valid table opened read-only with its memo file, for display. Opening reads the
// header area and the memo header only; record k is read when asked for, at header
// length + k × record length.
class TableReader {
 public:
  TableReader();

  // False, and error filled, when the file cannot be read or is not a valid table.
  bool Open(const std::string& path, TableOpenError& error);

  const TableHeader& Header() const { return header_; }
  uint16_t HeaderLength() const;
  uint32_t RecordLength() const { return recordLength_; }
  uint64_t FileSize() const { return fileSize_; }
  const std::vector<TableField>& Fields() const { return fields_; }
  // Whole records after the header, whatever the header announces.
  uint64_t WholeRecords() const;
  // The records the header announces that the file holds whole.
  uint64_t ReadableRecords() const;
  // The memo file opened for the memo fields ("" when none) and its block size.
  const std::string& MemoPath() const { return memoPath_; }
  uint32_t MemoBlockSize() const { return memo_.IsOpen() ? memo_.m_nBlockSize : 0; }

  // Reads record k into buffer (RecordLength() bytes of room): the bytes read, fewer
  // for a short last record, 0 past the end of the file.
  uint32_t ReadRecord(uint64_t record, char* buffer);
  // The display text of one field of record k by the rules of ordinals 2 and 3: all
  // textSize bytes of text are set. Returns the length of the whole text, or -1 when
  // the record is past the end of the file or there is no such field.
  int64_t RenderField(uint64_t record, uint32_t field, uint32_t optionWord, char* text, uint32_t textSize);

 private:
  bool ReadHeaderArea(TableOpenError& error);
  bool ReadFields(const std::vector<uint8_t>& headerArea, TableOpenError& error);
  void OpenMemoFile(const std::string& path);

  CFile64Ex table_;
  CMemoFile memo_;
  std::string memoPath_;
  TableHeader header_{};
  uint64_t fileSize_ = 0;
  uint32_t recordLength_ = 0;
  std::vector<TableField> fields_;
  std::vector<char> record_;  // the record RenderField reads
  std::vector<char> value_;   // one field's bytes, checked for display
};

}  // namespace mendrel
