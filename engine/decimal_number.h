#pragma once

#include <cstddef>
#include <string_view>

namespace mendrel {

// How many leading characters of text a C conversion to double consumes when only the
// decimal form counts (white space, optional sign, digits with an optional point, optional
// exponent). 0 when there is no decimal number, when the text is in the hexadecimal form,
// or when the value is out of range for a double.
size_t ConsumedDecimalLength(std::string_view text);

}  // namespace mendrel
