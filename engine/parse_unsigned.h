#pragma once

#include <cstdint>

namespace mendrel {

// strtoul with a 32-bit result: leading white space, optional sign, digits. True when
// a digit was consumed without overflow; value is stored in either case.
bool ParseUnsigned(const char* text, uint32_t& value, int base = 10);

}  // namespace mendrel
