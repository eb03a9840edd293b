#pragma once

#include <cstdint>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "repair_options.h"
#include "table_header.h"

namespace mendrel {

// Rewrites the source header in place into the header of one output part: version,
// date, lengths and flags; the record count is left 0 until the records are written.
// lengths holds the record length of every field of the table, hasMemo whether any of
// them (in any part) holds a memo block number.
void RebuildHeader(const RepairOptions& options, TableHeader& header, const FieldLengths& lengths,
                   const FieldSelection& selection, uint32_t extraHeaderBytes, bool hasMemo);

// The version byte an output table gets for the chosen output version.
uint8_t OutputVersionByte(uint8_t current, uint8_t dbfVersion, bool hasMemo);

// Mends the date of last update: no year after currentYear, month 1..12, a day of that month.
void RepairHeaderDate(TableHeader& header, int currentYear);

int CurrentLocalYear();

}  // namespace mendrel
