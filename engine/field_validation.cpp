#include "field_validation.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "byte_order.h"
#include "decimal_number.h"
#include "engine_strings.h"
#include "memo_pointer.h"
#include "parse_unsigned.h"

namespace mendrel {
namespace {

constexpr char kSpace = ' ';
constexpr char kUnknownLogical = '?';
// The bytes a logical value may hold: " ?YyNnTtFf".
constexpr auto kLogicalValues = [] {
  std::array<bool, 256> known{};
  for (unsigned char c : {' ', '?', 'Y', 'y', 'N', 'n', 'T', 't', 'F', 'f'}) known[c] = true;
  return known;
}();
constexpr uint32_t kCumulativeDays[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr uint32_t kFirstValidYear = 1900;
constexpr uint32_t kLastValidYear = 2050;

// The table families that store a B field as a memo pointer rather than a double.
enum VersionCode : uint32_t { kVersionDbase3 = 1, kVersionDbase4 = 2, kVersionDbase5 = 3 };

uint32_t VersionCodeOf(uint8_t sourceVersion, const RepairOptions& options) {
  if (options.DBFVersion != 0) return options.DBFVersion;
  switch (sourceVersion) {
    case 0x02: return 4;
    case 0x04: case 0x7B: case 0x8B: case 0x8E: return 2;
    case 0x05: return 3;
    case 0x30: case 0x31: case 0x32: return 8;
    case 0xF5: case 0xFB: return 5;
    default: return 1;
  }
}

bool IsLeapYear(uint32_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// The stored text of a field: its bytes up to the first NUL, at most its length.
std::string_view FieldText(const char* field, uint32_t length) {
  return std::string_view(field, strnlen(field, length));
}

std::string_view WithoutLeadingSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(kSpace);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// True when a byte changed: a field that already ends in spaces is kept as it is.
bool FillWithSpaces(char* field, uint32_t from, uint32_t length) {
  for (uint32_t at = from; at < length; ++at) {
    if (field[at] != kSpace) {
      std::memset(field + at, kSpace, length - at);
      return true;
    }
  }
  return false;
}

constexpr uint32_t kDateLength = 8;  // yyyymmdd
constexpr uint32_t kYearDigits = 4;
constexpr uint32_t kMonthDigits = 2;
constexpr uint32_t kDayDigits = 2;

// A date part (at most 4 characters) converted as C converts an unsigned number.
bool ParsePart(std::string_view part, uint32_t& value) {
  char text[kYearDigits + 1];
  const size_t size = part.copy(text, kYearDigits);  // an empty part may have no data at all
  text[size] = '\0';
  return ParseUnsigned(text, value);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

uint32_t DigitsValue(const char* digits, uint32_t count) {
  uint32_t value = 0;
  for (uint32_t i = 0; i < count; ++i) value = value * 10 + static_cast<uint32_t>(digits[i] - '0');
  return value;
}

// The part of a date from position `from`, at most `count` characters.
std::string_view DatePart(std::string_view date, size_t from, size_t count) {
  return from < date.size() ? date.substr(from, count) : std::string_view();
}

// Rebuilds a yyyymmdd text part by part; a part out of range gets its default.
struct RebuiltDate {
  std::string text;
  bool replaced = false;
  uint32_t parts = 0;  // DatePartReplaced bits
};

RebuiltDate RebuildDate(std::string_view date) {
  RebuiltDate result;
  uint32_t year = 0;
  const std::string_view yearPart = DatePart(date, 0, kYearDigits);
  if (ParsePart(yearPart, year) && year >= kFirstValidYear && year <= kLastValidYear) {
    result.text += yearPart;
  } else {
    result.text += EngineText(kTextDefaultYear);
    year = kFirstValidYear;
    result.replaced = true;
    result.parts |= kDateYearReplaced;
  }
  uint32_t month = 0;
  const std::string_view monthPart = DatePart(date, kYearDigits, kMonthDigits);
  if (ParsePart(monthPart, month) && month >= 1 && month <= 12) {
    result.text += monthPart;
  } else {
    result.text += EngineText(kTextDefaultMonth);
    month = 1;
    result.replaced = true;
    result.parts |= kDateMonthReplaced;
  }
  uint32_t day = 0;
  const std::string_view dayPart = DatePart(date, kYearDigits + kMonthDigits, kDayDigits);
  if (ParsePart(dayPart, day) && day >= 1 && day <= DaysInMonth(year, month)) {
    result.text += dayPart;
  } else {
    result.text += EngineText(kTextDefaultDay);
    result.replaced = true;
    result.parts |= kDateDayReplaced;
  }
  return result;
}

// Eight digits forming a date that the part rules keep as it stands: the common case,
// decided without rebuilding the text.
bool IsWholeValidDate(const char* field, uint32_t length) {
  if (length < kDateLength) return false;
  for (uint32_t i = 0; i < kDateLength; ++i) {
    if (!IsDigit(field[i])) return false;
  }
  const uint32_t year = DigitsValue(field, kYearDigits);
  const uint32_t month = DigitsValue(field + kYearDigits, kMonthDigits);
  const uint32_t day = DigitsValue(field + kYearDigits + kMonthDigits, kDayDigits);
  return year >= kFirstValidYear && year <= kLastValidYear && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

FieldMends DateMend(bool changed) { return changed ? kMendDate : kNoMend; }

// Everything but the common case, kept out of line so that the common case stays small
// enough to be inlined into the per-field loop.
[[gnu::noinline]] FieldMends MendDate(char* field, uint32_t length, const RepairOptions& options) {
  const std::string_view text = FieldText(field, length);
  const uint32_t textLength = static_cast<uint32_t>(text.size());
  const std::string_view date = WithoutLeadingSpaces(text);
  if (date.empty()) return DateMend(FillWithSpaces(field, textLength, length));
  const RebuiltDate rebuilt = RebuildDate(date);
  if (rebuilt.replaced && options.RepairDate) {
    const uint32_t copied = std::min<uint32_t>(length, static_cast<uint32_t>(rebuilt.text.size()));
    const bool differs = std::memcmp(field, rebuilt.text.data(), copied) != 0;
    std::memcpy(field, rebuilt.text.data(), copied);
    const bool padded = FillWithSpaces(field, copied, length);
    return differs || padded ? kMendDate + rebuilt.parts : kNoMend;
  }
  return DateMend(FillWithSpaces(field, textLength, length));
}

FieldMends CheckDate(char* field, uint32_t length, const RepairOptions& options) {
  if (!IsWholeValidDate(field, length)) return MendDate(field, length, options);
  if (length > kDateLength) return DateMend(FillWithSpaces(field, static_cast<uint32_t>(strnlen(field, length)), length));
  return kNoMend;
}

// Right-aligns text in the field; a text longer than the field keeps its first characters.
void WriteRightAligned(char* field, uint32_t length, std::string_view text) {
  const uint32_t shown = std::min<uint32_t>(length, static_cast<uint32_t>(text.size()));
  std::memmove(field + (length - shown), text.data(), shown);
  std::memset(field, kSpace, length - shown);
}

// Leading spaces and then a plain number up to the field's end (or spaces only): what the
// rules would write back is the field itself. IsPlainDecimalNumber in one pass over the
// bytes, as every numeric value of a table comes here.
bool IsRightAlignedPlainNumber(const char* field, uint32_t length) {
  const char* at = field;
  const char* const end = field + length;
  while (at != end && *at == kSpace) ++at;
  if (at == end) return true;
  if (*at == '+' || *at == '-') ++at;
  bool digit = false;
  bool point = false;
  for (; at != end; ++at) {
    if (static_cast<unsigned char>(*at - '0') <= 9) {
      digit = true;
    } else if (*at == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  static_assert(kDigitsAlwaysInRange >= 255, "a field's digits are always in range");
  return digit;
}

[[gnu::noinline]] bool MendNumber(char* field, uint32_t length) {
  const std::string_view text = FieldText(field, length);
  const std::string_view number = WithoutLeadingSpaces(text);
  if (number.empty()) return FillWithSpaces(field, static_cast<uint32_t>(text.size()), length);
  const size_t consumed = ConsumedDecimalLength(number);
  // The number may overlap where it goes: WriteRightAligned moves it before it pads.
  WriteRightAligned(field, length, consumed == 0 ? std::string_view("0") : number.substr(0, consumed));
  // Only spaces stand before the number; it stays where it was when it ends at the field's end.
  return consumed == 0 || static_cast<size_t>(number.data() - field) + consumed != length;
}

bool CheckNumber(char* field, uint32_t length) {
  return !IsRightAlignedPlainNumber(field, length) && MendNumber(field, length);
}

bool CheckLogical(char* field, uint32_t length) {
  const bool known = kLogicalValues[static_cast<unsigned char>(field[0])];
  if (!known) field[0] = kUnknownLogical;
  const bool padded = FillWithSpaces(field, 1, length);
  return !known || padded;
}

FieldMends CheckValue(char* fieldBytes, const uint8_t* descriptor, const RepairOptions& options) {
  const uint32_t length = DescriptorLength(descriptor);
  if (length == 0) return kNoMend;
  switch (DescriptorType(descriptor)) {
    case 'D': return CheckDate(fieldBytes, length, options);
    case 'F': case 'N': return CheckNumber(fieldBytes, length) ? kMendNumber : kNoMend;
    case 'L': return CheckLogical(fieldBytes, length) ? kMendLogical : kNoMend;
    default: return kNoMend;
  }
}

}  // namespace

uint32_t DaysInMonth(uint32_t year, uint32_t month) {
  if (month < 1 || month > 12) return 0;
  const uint32_t days = kCumulativeDays[month] - kCumulativeDays[month - 1];
  return month == 2 && IsLeapYear(year) ? days + 1 : days;
}

FieldMends CheckFieldValue(char* fieldBytes, const uint8_t* descriptor, const RepairOptions& options) {
  if (fieldBytes == nullptr || descriptor == nullptr) return kNoMend;
  return CheckValue(fieldBytes, descriptor, options);
}

FieldCheck FieldCheckOf(const uint8_t* descriptor, uint8_t sourceVersion, const RepairOptions& options) {
  if (descriptor == nullptr || DescriptorLength(descriptor) == 0) return FieldCheck::kNone;
  const char type = DescriptorType(descriptor);
  const uint32_t version = VersionCodeOf(sourceVersion, options);
  const bool memoB = type == 'B' && (version == kVersionDbase3 || version == kVersionDbase4 || version == kVersionDbase5);
  if (memoB || IsMemoField(static_cast<uint8_t>(type), DescriptorLength(descriptor), sourceVersion))
    return FieldCheck::kMemo;
  switch (type) {
    case 'D': return FieldCheck::kDate;
    case 'F': case 'N': return FieldCheck::kNumber;
    case 'L': return FieldCheck::kLogical;
    default: return FieldCheck::kNone;  // B, C, I, T, X, Y and unknown letters keep their bytes
  }
}

FieldMends ApplyFieldCheck(FieldCheck check, char* fieldBytes, uint32_t length, CMemoFile& sourceMemo,
                           CMemoFile& outputMemo, const RepairOptions& options) {
  switch (check) {
    case FieldCheck::kMemo:
      // Four zero bytes: the binary form of no memo, which most records of a table hold.
      if (length == kBinaryMemoPointerSize && ReadLE32(fieldBytes) == 0) return kNoMend;
      return CopyMemoField(fieldBytes, length, sourceMemo, outputMemo);
    case FieldCheck::kDate: return CheckDate(fieldBytes, length, options);
    case FieldCheck::kNumber: return CheckNumber(fieldBytes, length) ? kMendNumber : kNoMend;
    case FieldCheck::kLogical: return CheckLogical(fieldBytes, length) ? kMendLogical : kNoMend;
    case FieldCheck::kNone: break;
  }
  return kNoMend;
}

void RepairRecordFields(char* data, const std::vector<CheckedField>& fields, CMemoFile& sourceMemo,
                        CMemoFile& outputMemo, const RepairOptions& options, MendCounts& counts) {
  for (const CheckedField& field : fields) {
    const FieldMends mends = ApplyFieldCheck(field.check, data + field.offset, field.length, sourceMemo, outputMemo, options);
    if (mends != kNoMend) counts.CountField(field.index, mends);
  }
}

FieldMends RepairFieldValue(char* fieldBytes, const uint8_t* descriptor, CMemoFile& sourceMemo, CMemoFile& outputMemo,
                            uint8_t sourceVersion, const RepairOptions& options) {
  const FieldCheck check = FieldCheckOf(descriptor, sourceVersion, options);
  if (check == FieldCheck::kNone) return kNoMend;
  return ApplyFieldCheck(check, fieldBytes, DescriptorLength(descriptor), sourceMemo, outputMemo, options);
}

}  // namespace mendrel
