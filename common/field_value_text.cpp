#include "field_value_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace tessaly_common {
namespace {

constexpr unsigned kIntegerLength = 4;
constexpr unsigned kWideLength = 8;
constexpr int64_t kCurrencyScale = 10000;
constexpr int64_t kMillisPerSecond = 1000;

bool IsVisualFoxPro(uint8_t version) { return version == 0x30 || version == 0x31 || version == 0x32; }

int64_t LittleEndian64(const char* bytes, unsigned count) {
  uint64_t value = 0;
  for (unsigned i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  if (count < kWideLength && (value >> (8 * count - 1)) != 0) value |= ~0ULL << (8 * count);
  return static_cast<int64_t>(value);
}

std::string CurrencyText(int64_t scaled) {
  const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : scaled;
  char text[32];
  std::snprintf(text, sizeof text, "%s%" PRIu64 ".%04" PRIu64, scaled < 0 ? "-" : "",
                magnitude / kCurrencyScale, magnitude % kCurrencyScale);
  return text;
}

// Julian day number and milliseconds since midnight, as stored in a T field.
std::string DateTimeText(int64_t julianDay, int64_t millis) {
  if (julianDay <= 0) return "";
  // Fliegel and Van Flandern: Julian day number to the Gregorian calendar.
  int64_t l = julianDay + 68569;
  const int64_t n = 4 * l / 146097;
  l -= (146097 * n + 3) / 4;
  const int64_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const int64_t j = 80 * l / 2447;
  const int64_t day = l - 2447 * j / 80;
  l = j / 11;
  const int64_t month = j + 2 - 12 * l;
  const int64_t year = 100 * (n - 49) + i + l;
  const int64_t seconds = (millis < 0 ? 0 : millis) / kMillisPerSecond;
  char text[48];
  std::snprintf(text, sizeof text, "%04" PRId64 "-%02" PRId64 "-%02" PRId64 " %02" PRId64
                ":%02" PRId64 ":%02" PRId64, year, month, day, seconds / 3600 % 24,
                seconds / 60 % 60, seconds % 60);
  return text;
}

std::string DoubleText(const char* bytes) {
  double value = 0;
  std::memcpy(&value, bytes, sizeof value);
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

}  // namespace

std::string FieldValueText(char type, uint32_t length, const char* bytes, uint8_t tableVersion) {
  if (type == 'I' && length == kIntegerLength) {
    return std::to_string(LittleEndian64(bytes, kIntegerLength));
  }
  if (type == 'Y' && length == kWideLength) {
    return CurrencyText(LittleEndian64(bytes, kWideLength));
  }
  if (type == 'T' && length == kWideLength) {
    return DateTimeText(LittleEndian64(bytes, kIntegerLength),
                        LittleEndian64(bytes + kIntegerLength, kIntegerLength));
  }
  if (type == 'B' && length == kWideLength && IsVisualFoxPro(tableVersion)) {
    return DoubleText(bytes);
  }
  return std::string(bytes, length);
}

}  // namespace tessaly_common
