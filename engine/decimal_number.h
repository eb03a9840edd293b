#pragma once

#include <cstddef>
#include <string_view>

namespace mendrel {

// How many leading characters of text a C conversion to double consumes when only the
// decimal form counts (white space, optional sign, digits with an optional point, optional
// exponent). 0 when there is no decimal number, when the text is in the hexadecimal form,
// or when the value is out of range for a double.
size_t ConsumedDecimalLength(std::string_view text);

// A number of at most this many digits and no exponent is never out of range for a double.
inline constexpr size_t kDigitsAlwaysInRange = 300;

// Whether the whole text is one decimal number without exponent (optional sign, digits with
// at most one point, at least one digit) short enough to be surely in range: the common
// case, for which ConsumedDecimalLength gives the whole length, told without converting.
// Inline: every numeric value of a repair passes here.
inline bool IsPlainDecimalNumber(std::string_view text) {
  size_t at = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  size_t digits = 0;
  bool point = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits != 0 && digits <= kDigitsAlwaysInRange;
}

}  // namespace mendrel
