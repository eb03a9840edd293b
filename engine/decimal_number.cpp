#include "decimal_number.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <system_error>

namespace mendrel {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

size_t CountDigits(std::string_view text, size_t from) {
  size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

bool CharAt(std::string_view text, size_t index, char wanted) {
  return index < text.size() && text[index] == wanted;
}

// The form C would read as a hexadecimal number: 0x followed by a hex digit or by a point and one.
bool StartsHexNumber(std::string_view text, size_t at) {
  if (!CharAt(text, at, '0') || !(CharAt(text, at + 1, 'x') || CharAt(text, at + 1, 'X'))) return false;
  size_t next = at + 2;
  if (CharAt(text, next, '.')) ++next;
  return next < text.size() && IsHexDigit(text[next]);
}

// The decimal form at the start of a text (no white space): its length, 0 when there is none.
struct DecimalForm {
  size_t length = 0;
  size_t digits = 0;  // before and after the point
  bool hasExponent = false;
};

DecimalForm ReadDecimalForm(std::string_view text) {
  DecimalForm form;
  size_t end = 0;
  if (CharAt(text, 0, '+') || CharAt(text, 0, '-')) ++end;
  if (StartsHexNumber(text, end)) return form;
  const size_t integerDigits = CountDigits(text, end);
  end += integerDigits;
  size_t fractionDigits = 0;
  if (CharAt(text, end, '.')) {
    fractionDigits = CountDigits(text, end + 1);
    if (integerDigits + fractionDigits != 0) end += 1 + fractionDigits;
  }
  if (integerDigits + fractionDigits == 0) return form;
  if (CharAt(text, end, 'e') || CharAt(text, end, 'E')) {
    size_t exponent = end + 1;
    if (CharAt(text, exponent, '+') || CharAt(text, exponent, '-')) ++exponent;
    const size_t exponentDigits = CountDigits(text, exponent);
    if (exponentDigits != 0) {
      end = exponent + exponentDigits;
      form.hasExponent = true;
    }
  }
  form.length = end;
  form.digits = integerDigits + fractionDigits;
  return form;
}

// Without an exponent, a number of at most kDigitsAlwaysInRange digits lies between
// 1e-300 and 1e300 (or is 0), well inside the range of a double: no conversion is needed.
bool IsSurelyInRange(const DecimalForm& form) { return !form.hasExponent && form.digits <= kDigitsAlwaysInRange; }

#ifdef _WIN32
// This C library's strtod neither takes a locale nor flags every inexact result below
// the smallest normal double, so the range is judged from the value: infinite, or
// subnormal, or zero from nonzero digits. A decimal text that a field can hold is never
// exactly a subnormal double (the shortest one has hundreds of digits).
bool IsOutOfRange(std::string_view decimal) {
  if (!decimal.empty() && decimal.front() == '+') decimal.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  if (error == std::errc::result_out_of_range) return true;
  if (error != std::errc()) return false;
  const double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) return true;
  if (magnitude != 0) return magnitude < std::numeric_limits<double>::min();
  return decimal.find_first_of("123456789") < decimal.find_first_of("eE");
}
#else
// The "C" locale, so that "." is the decimal point whatever the user's locale.
locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// C reports ERANGE on overflow and on an inexact result below the smallest normal double.
bool IsOutOfRange(std::string_view decimal) {
  const std::string text(decimal);
  errno = 0;
  char* end = nullptr;
  const locale_t locale = ClassicLocale();
  if (locale != static_cast<locale_t>(nullptr)) {
    strtod_l(text.c_str(), &end, locale);
  } else {
    std::strtod(text.c_str(), &end);  // defensive: the "C" locale always exists
  }
  return errno == ERANGE;
}
#endif

}  // namespace

size_t ConsumedDecimalLength(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsCSpace(text[start])) ++start;
  const DecimalForm form = ReadDecimalForm(text.substr(start));
  if (form.length == 0) return 0;
  if (!IsSurelyInRange(form) && IsOutOfRange(text.substr(start, form.length))) return 0;
  return start + form.length;
}

}  // namespace mendrel
