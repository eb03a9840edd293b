#pragma once

#include <cstdint>

#include "memo_file.h"
#include "repair_options.h"

namespace mendrel {

// Mends one field of a record in place, by its descriptor (32 bytes: name, type at 11,
// length at 16, decimals at 17). Memo-type fields are moved from the source memo file
// (which may not be open: the field then gets no data) into the output memo file.
void RepairFieldValue(char* fieldBytes, const uint8_t* descriptor, CMemoFile& sourceMemo, CMemoFile& outputMemo,
                      uint8_t sourceVersion, const RepairOptions& options);

// Mends one non-memo field in place (dates, numbers, logicals); memo-type fields are left alone.
void CheckFieldValue(char* fieldBytes, const uint8_t* descriptor, const RepairOptions& options);

// Days of a month of the Gregorian calendar; 0 for a month outside 1..12.
uint32_t DaysInMonth(uint32_t year, uint32_t month);

}  // namespace mendrel
