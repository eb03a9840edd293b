#pragma once

#include <cstdint>
#include <vector>

#include "memo_block_probe.h"

namespace mendrel {

// What the values of one column of a table show about its type, gathered value by value
// so that a column of any number of records takes little memory.
class ColumnProfile {
 public:
  explicit ColumnProfile(uint32_t width) : width_(width) {}

  // One record's bytes of the column: width bytes.
  void Add(const uint8_t* value);

  uint32_t width() const { return width_; }
  bool AllBlank() const { return nonBlank_ == 0; }
  bool HasControlByte() const { return hasControlByte_; }
  bool AllDigitPointers() const { return allDigitPointers_; }
  const std::vector<uint32_t>& DigitPointers() const { return digitPointers_; }
  const std::vector<uint32_t>& BinaryPointers() const { return binaryPointers_; }
  bool MostlyDates() const { return 2 * dates_ > nonBlank_; }
  bool AllLogical() const { return allLogical_; }
  bool AllDecimal() const { return allDecimal_; }
  bool ShowsNumeric() const { return showsNumeric_ || width_ <= 2; }
  uint8_t MostDecimals() const { return mostDecimals_; }
  bool AllDateTimes() const { return allDateTimes_; }
  bool AllCurrencyShaped() const { return allCurrencyShaped_; }
  bool HasHighWordOfOnes() const { return hasHighWordOfOnes_; }

 private:
  void AddDigitPointer(const uint8_t* value, bool blank);
  void AddDecimal(const uint8_t* value);
  void AddEightByteValue(const uint8_t* value);

  const uint32_t width_;
  uint64_t nonBlank_ = 0;
  uint64_t dates_ = 0;
  bool hasControlByte_ = false;
  bool allDigitPointers_ = true;
  bool allLogical_ = true;
  bool allDecimal_ = true;
  bool showsNumeric_ = false;
  uint8_t mostDecimals_ = 0;
  bool allDateTimes_ = true;
  bool allCurrencyShaped_ = true;
  bool hasHighWordOfOnes_ = false;
  std::vector<uint32_t> digitPointers_;
  std::vector<uint32_t> binaryPointers_;
};

// The table around a column whose descriptor was lost.
struct ColumnSetting {
  uint8_t version = 0;
  bool headerPromisesMemo = false;  // by the version byte or the table flags
  bool otherMemoField = false;      // another descriptor already holds the memo pointers
};

struct ColumnType {
  uint8_t type = 'C';
  uint8_t decimals = 0;
};

// The type letter and decimal count of a column of at most 255 bytes, by its values.
ColumnType GuessColumnType(const ColumnProfile& column, const ColumnSetting& setting, MemoPointerCheck& memo);

}  // namespace mendrel
