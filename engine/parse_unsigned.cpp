#include "parse_unsigned.h"

namespace mendrel {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool ParseUnsigned(const char* text, uint32_t& value, int base) {
  const char* p = text;
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  uint64_t magnitude = 0;
  bool overflow = false;
  bool anyDigit = false;
  for (; DigitValue(*p) < base; ++p) {
    anyDigit = true;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(*p));
    if (magnitude > UINT32_MAX) {
      overflow = true;
      magnitude = UINT32_MAX;
    }
  }
  if (overflow) {
    value = UINT32_MAX;
    return false;
  }
  value = negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(magnitude))
                   : static_cast<uint32_t>(magnitude);
  return anyDigit;
}

}  // namespace mendrel
