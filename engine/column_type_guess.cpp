#include "column_type_guess.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "field_validation.h"
#include "table_header.h"

namespace mendrel {
namespace {

constexpr uint32_t kDateWidth = 8;
constexpr uint32_t kEightByteWidth = 8;  // date-time, currency, double
constexpr uint32_t kLogicalWidth = 1;
constexpr uint32_t kTextPointerWidth = 10;
constexpr uint32_t kBinaryPointerWidth = 4;
constexpr uint8_t kCurrencyDecimals = 4;
// Julian days of 1 January 0001 and 31 December 9999, and the milliseconds of a day.
constexpr uint32_t kFirstJulianDay = 1721426;
constexpr uint32_t kLastJulianDay = 5373484;
constexpr uint32_t kMillisecondsPerDay = 86400000;
constexpr char kLogicalValues[] = "TtFfYyNn? ";

bool IsBlankByte(uint8_t byte) { return byte == ' ' || byte == 0; }
bool IsDigit(uint8_t byte) { return byte >= '0' && byte <= '9'; }

uint32_t DigitsValue(const uint8_t* digits, uint32_t count) {
  uint32_t value = 0;
  for (uint32_t i = 0; i < count; ++i) value = value * 10 + (digits[i] - '0');
  return value;
}

// A byte below 0x20 before the value's trailing NULs and spaces.
bool ValueHasControlByte(const uint8_t* value, uint32_t width) {
  uint32_t end = width;
  while (end > 0 && IsBlankByte(value[end - 1])) --end;
  return std::any_of(value, value + end, [](uint8_t byte) { return byte < 0x20; });
}

bool IsValidDate(const uint8_t* value) {
  if (!std::all_of(value, value + kDateWidth, IsDigit)) return false;
  const uint32_t month = DigitsValue(value + 4, 2);
  const uint32_t day = DigitsValue(value + 6, 2);
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(DigitsValue(value, 4), month);
}

uint32_t CountDigits(const uint8_t* value, uint32_t width, uint32_t from) {
  uint32_t at = from;
  while (at < width && IsDigit(value[at])) ++at;
  return at - from;
}

}  // namespace

void ColumnProfile::Add(const uint8_t* value) {
  const bool blank = std::all_of(value, value + width_, IsBlankByte);
  if (!blank) ++nonBlank_;
  if (ValueHasControlByte(value, width_)) hasControlByte_ = true;
  if (width_ == kTextPointerWidth) AddDigitPointer(value, blank);
  if (width_ == kBinaryPointerWidth) binaryPointers_.push_back(ReadLE32(value));
  if (width_ == kDateWidth && !blank && IsValidDate(value)) ++dates_;
  if (width_ == kLogicalWidth && std::strchr(kLogicalValues, value[0]) == nullptr) allLogical_ = false;
  if (width_ == kEightByteWidth) AddEightByteValue(value);
  if (!blank) AddDecimal(value);
}

// Digits right-aligned after spaces, the text form of a memo block number.
void ColumnProfile::AddDigitPointer(const uint8_t* value, bool blank) {
  if (blank) {
    digitPointers_.push_back(0);
    return;
  }
  uint32_t first = 0;
  while (first < width_ && value[first] == ' ') ++first;
  if (first == width_ || CountDigits(value, width_, first) != width_ - first) {
    allDigitPointers_ = false;
    return;
  }
  uint64_t pointer = 0;
  for (uint32_t i = first; i < width_; ++i) pointer = pointer * 10 + (value[i] - '0');
  // A block number beyond 32 bits lands in no memo file: the pointers cannot check out.
  digitPointers_.push_back(pointer <= UINT32_MAX ? static_cast<uint32_t>(pointer) : UINT32_MAX);
}

// Spaces, an optional minus, digits without a leading zero, an optional point and digits,
// filling the column to its end.
void ColumnProfile::AddDecimal(const uint8_t* value) {
  uint32_t at = 0;
  while (at < width_ && value[at] == ' ') ++at;
  const bool leadingSpaces = at > 0;
  if (at < width_ && value[at] == '-') ++at;
  const uint32_t integerDigits = CountDigits(value, width_, at);
  bool decimal = integerDigits > 0 && !(integerDigits > 1 && value[at] == '0');
  at += integerDigits;
  uint32_t fractionDigits = 0;
  const bool point = at < width_ && value[at] == '.';
  if (decimal && point) {
    fractionDigits = CountDigits(value, width_, at + 1);
    decimal = fractionDigits > 0;
    at += 1 + fractionDigits;
  }
  if (!decimal || at != width_) {
    allDecimal_ = false;
    return;
  }
  if (leadingSpaces || point) showsNumeric_ = true;
  mostDecimals_ = std::max(mostDecimals_, static_cast<uint8_t>(fractionDigits));
}

void ColumnProfile::AddEightByteValue(const uint8_t* value) {
  const bool allNul = std::all_of(value, value + width_, [](uint8_t byte) { return byte == 0; });
  const uint32_t day = ReadLE32(value);
  const bool dateTime = day >= kFirstJulianDay && day <= kLastJulianDay && ReadLE32(value + 4) < kMillisecondsPerDay;
  if (!allNul && !dateTime) allDateTimes_ = false;
  // A currency value is a 64-bit integer: small ones have a high word of zeros or of ones.
  const bool highZeros = value[6] == 0x00 && value[7] == 0x00;
  const bool highOnes = value[6] == 0xFF && value[7] == 0xFF;
  if (!highZeros && !highOnes) allCurrencyShaped_ = false;
  if (highOnes) hasHighWordOfOnes_ = true;
}

ColumnType GuessColumnType(const ColumnProfile& column, const ColumnSetting& setting, MemoPointerCheck& memo) {
  const uint32_t width = column.width();
  const bool family = IsVisualFoxProFamily(setting.version);
  const bool control = column.HasControlByte();
  if (setting.headerPromisesMemo && !setting.otherMemoField) {
    if (width == kBinaryPointerWidth && family && (control || column.AllBlank())) return {'M'};
    if (width == kTextPointerWidth && column.AllDigitPointers()) return {'M'};
  }
  if (column.AllBlank()) return {width == kDateWidth ? uint8_t{'D'} : uint8_t{'C'}};
  if (width == kDateWidth && column.MostlyDates()) return {'D'};
  if (width == kLogicalWidth && column.AllLogical()) return {'L'};
  if (width == kTextPointerWidth && column.AllDigitPointers() && memo.CheckOut(column.DigitPointers()))
    return {'M'};
  if (column.AllDecimal() && column.ShowsNumeric()) return {'N', column.MostDecimals()};
  if (width == kEightByteWidth) {
    if (column.AllDateTimes()) return {'T'};
    if (column.AllCurrencyShaped() && (control || column.HasHighWordOfOnes())) return {'Y', kCurrencyDecimals};
    if (family && control) return {'B'};
  }
  if (width == kBinaryPointerWidth && family && control)
    return {memo.CheckOut(column.BinaryPointers()) ? uint8_t{'M'} : uint8_t{'I'}};
  return {'C'};
}

}  // namespace mendrel
