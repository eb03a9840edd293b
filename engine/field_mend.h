#pragma once

#include <cstdint>

namespace mendrel {

// What the repair did to one field value, as one number so that counting it is one
// increment; kNoMend means the value was kept byte for byte. A mended date is
// kMendDate plus the date-part bits of the parts replaced.
enum FieldMendKind : uint32_t {
  kNoMend,
  kMendNumber,
  kMendLogical,
  kMemoCopied,
  kMemoPointerNoMemoFile,   // the source memo file is not open
  kMemoPointerBeyondFile,   // the block starts at or past the end of the memo file
  kMemoPointerUnreadable,   // the block holds no memo (damaged block header, length 0)
  kMemoPointerNotABlock,    // the field holds something other than a block number
  kMendDate,                // to kMendDate + 7
  kFieldMendKinds = kMendDate + 8
};

using FieldMends = uint32_t;

enum DatePartReplaced : uint32_t { kDateYearReplaced = 1, kDateMonthReplaced = 2, kDateDayReplaced = 4 };

}  // namespace mendrel
