#pragma once

#include <cstdint>
#include <string>

namespace tessaly_common {

// The text of a stored field value (after the engine's display check): binary integers
// (I), currency (Y) and date-times (T), and the doubles of Visual FoxPro (B) decoded;
// every other type's bytes as they stand.
std::string FieldValueText(char type, uint32_t length, const char* bytes, uint8_t tableVersion);

}  // namespace tessaly_common
