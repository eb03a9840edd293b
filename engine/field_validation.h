#pragma once

#include <cstdint>

#include "field_descriptor.h"
#include "field_mend.h"
#include "memo_file.h"
#include "repair_options.h"

namespace mendrel {

// The type letter and the length of a field, read from its raw 32-byte descriptor.
inline char DescriptorType(const uint8_t* descriptor) { return static_cast<char>(descriptor[kFieldType]); }
inline uint32_t DescriptorLength(const uint8_t* descriptor) { return descriptor[kFieldLength]; }

// Mends one field of a record in place, by its descriptor (32 bytes: type at 11, length
// at 16). Memo-type fields are moved from the source memo file (which may not be open:
// the field then gets no data) into the output memo file. Returns what was mended.
FieldMends RepairFieldValue(char* fieldBytes, const uint8_t* descriptor, CMemoFile& sourceMemo, CMemoFile& outputMemo,
                            uint8_t sourceVersion, const RepairOptions& options);

// Mends one non-memo field in place (dates, numbers, logicals); other types are left alone.
// Returns the kind of mend when a byte changed, else kNoMend.
FieldMends CheckFieldValue(char* fieldBytes, const uint8_t* descriptor, const RepairOptions& options);

// Days of a month of the Gregorian calendar; 0 for a month outside 1..12.
uint32_t DaysInMonth(uint32_t year, uint32_t month);

}  // namespace mendrel
