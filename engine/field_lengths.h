#pragma once

#include <cstdint>
#include <vector>

#include "field_descriptor.h"

namespace mendrel {

// The bytes each accepted field takes in a record, in field order.
using FieldLengths = std::vector<uint32_t>;

// Byte 16 of each descriptor. Some writers keep a character field longer than 255 bytes
// with its decimal count as the high byte of its length: those lengths are taken when the
// source header's record length adds up with them and not with the plain lengths.
FieldLengths RecordFieldLengths(const FieldList& fields, uint16_t sourceRecordLength);

// Byte 16 of each descriptor.
FieldLengths PlainFieldLengths(const FieldList& fields);
// Byte 16 of each descriptor, with the decimal count of a character field as the high byte.
FieldLengths LongFieldLengths(const FieldList& fields);

// The deletion flag plus every field's length.
uint32_t RecordLength(const FieldLengths& lengths);

}  // namespace mendrel
