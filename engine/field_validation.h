#pragma once

#include <cstdint>
#include <vector>

#include "field_descriptor.h"
#include "field_mend.h"
#include "memo_file.h"
#include "mend_report.h"
#include "repair_options.h"

namespace mendrel {

// The type letter and the length of a field, read from its raw 32-byte descriptor.
inline char DescriptorType(const uint8_t* descriptor) { return static_cast<char>(descriptor[kFieldType]); }
inline uint32_t DescriptorLength(const uint8_t* descriptor) { return descriptor[kFieldLength]; }

// What the repair does to every value of a field, decided once from its descriptor.
enum class FieldCheck : uint8_t { kNone, kMemo, kDate, kNumber, kLogical };
FieldCheck FieldCheckOf(const uint8_t* descriptor, uint8_t sourceVersion, const RepairOptions& options);

// RepairFieldValue with the check decided beforehand; length is the descriptor's byte 16.
FieldMends ApplyFieldCheck(FieldCheck check, char* fieldBytes, uint32_t length, CMemoFile& sourceMemo,
                           CMemoFile& outputMemo, const RepairOptions& options);

// A field whose values the repair looks at, where it lies in the record's data.
struct CheckedField {
  size_t index;     // in the field list
  uint32_t offset;  // from the first byte after the deletion flag
  uint32_t length;  // the descriptor's, which the checks go by
  FieldCheck check;
};

// Applies each field's check to one record's data in place, in field order, and counts
// what was mended.
void RepairRecordFields(char* data, const std::vector<CheckedField>& fields, CMemoFile& sourceMemo,
                        CMemoFile& outputMemo, const RepairOptions& options, MendCounts& counts);

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
