#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "field_mend.h"

namespace mendrel {

// What the copy of one output part's records mended: per field of the table (selected
// or not) and per record. Counted where the mending happens, only when it happens.
class MendCounts {
 public:
  explicit MendCounts(size_t fieldCount) : fields_(fieldCount) {}

  void CountField(size_t field, FieldMends mend) { ++fields_[field][mend]; }
  // A source flag other than the live one; written as live or not.
  void CountFlag(uint8_t sourceFlag, bool writtenLive);
  // The read that ended the copy delivered one byte, the end mark.
  void SawEndMark() { endMarkSeen_ = true; }

  uint32_t Of(size_t field, FieldMends kind) const { return fields_[field][kind]; }
  // Dates mended, and of them those with the given part replaced (0: all).
  uint32_t DatesMended(size_t field, uint32_t partReplaced = 0) const;
  uint32_t DeletedWrittenLive() const { return deletedWrittenLive_; }
  uint32_t OddFlagsWrittenLive() const { return oddFlagsWrittenLive_; }
  bool EndMarkSeen() const { return endMarkSeen_; }

 private:
  std::vector<std::array<uint32_t, kFieldMendKinds>> fields_;
  uint32_t deletedWrittenLive_ = 0;
  uint32_t oddFlagsWrittenLive_ = 0;
  bool endMarkSeen_ = false;
};

// Why the source memo file was not open, for pointers cleared without it.
enum class SourceMemoState { open, missing, notRead, allZero };

// Where one output part's records came from in the source.
struct RecordAreaFacts {
  uint64_t start = 0;         // offset of the first record in the source
  uint32_t stride = 0;        // bytes per source record, deletion flag included
  uint32_t fieldOffset = 0;   // where the part's first field lies in a source record
  uint32_t announced = 0;     // the record count of the source header
  uint32_t written = 0;
  uint64_t sourceLength = 0;

  // Bytes from the last whole record's end to the end of the source.
  uint64_t BytesAfterLastWholeRecord() const;
};

// What the descriptor scan mended in one field's descriptor, and what the source held.
struct DescriptorMend {
  bool name = false;
  bool type = false;
  std::string sourceName;  // up to its first NUL
  uint8_t sourceType = 0;
};

// The mends of each accepted descriptor, by the source's blocks as they were read
// (32 bytes each from offset 32, missing bytes zero, as the scan reads them).
std::vector<DescriptorMend> FindDescriptorMends(const FieldList& fields, const std::vector<uint8_t>& sourceBlocks);

// The report lines of one output part: the record-area line, the table's lines, then
// the lines of each selected field with something to tell, in field order.
std::vector<std::string> MendReportLines(const RecordAreaFacts& area, const MendCounts& counts, const FieldList& fields,
                                         const std::vector<DescriptorMend>& descriptorMends,
                                         const FieldSelection& selection, SourceMemoState memoState);

// Where the first selected field starts in a source record.
uint32_t FirstSelectedFieldOffset(const FieldLengths& lengths, const FieldSelection& selection);

}  // namespace mendrel
