#pragma once

#include <cstdint>

namespace mendrel {

// What the repair did to one field value, one bit per kind; 0 means the value was kept
// byte for byte. The date-part bits come with kMendDate when a part was replaced.
enum FieldMendKind : uint32_t {
  kMendDate,
  kMendDateYear,
  kMendDateMonth,
  kMendDateDay,
  kMendNumber,
  kMendLogical,
  kMemoCopied,
  kMemoPointerNoMemoFile,   // the source memo file is not open
  kMemoPointerBeyondFile,   // the block starts at or past the end of the memo file
  kMemoPointerUnreadable,   // the block holds no memo (damaged block header, length 0)
  kMemoPointerNotABlock,    // the field holds something other than a block number
  kFieldMendKinds
};

using FieldMends = uint32_t;

constexpr FieldMends MendBit(FieldMendKind kind) { return FieldMends{1} << kind; }

}  // namespace mendrel
