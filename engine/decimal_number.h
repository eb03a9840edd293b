#pragma once

#include <cstddef>
#include <string_view>

namespace mendrel {

// How many leading characters of text a C conversion to double consumes when only the
// decimal form counts (white space, optional sign, digits with an optional point, optional
// exponent). 0 when there is no decimal number, when the text is in the hexadecimal form,
// or when the value is out of range for a double.
size_t ConsumedDecimalLength(std::string_view text);

// Whether the whole text is one decimal number without exponent (optional sign, digits with
// at most one point, at least one digit) short enough to be surely in range: the common
// case, for which ConsumedDecimalLength gives the whole length, told without converting.
bool IsPlainDecimalNumber(std::string_view text);

}  // namespace mendrel
