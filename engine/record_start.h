#pragma once

#include <cstdint>

#include "io/file64ex.h"
#include "table_header.h"

namespace mendrel {

// Where the records of the source begin, and how many bytes between the descriptor
// terminator and them are kept as extra header bytes.
struct RecordArea {
  uint64_t start = 0;
  uint32_t extraHeaderBytes = 0;
};

// Checks the record start that the descriptor list and the header length imply,
// afterTerminator + extraHeaderBytes, against the records themselves, and moves it when
// the terminator was cut out, a pad byte follows it, or the header length of a table with
// a back-link area was lost. recordLength includes the deletion flag; sourceLength is the
// length of the source. The source position is left as found.
RecordArea FindRecordArea(const TableHeader& header, CFile64Ex& source, uint64_t sourceLength,
                          uint64_t afterTerminator, uint32_t extraHeaderBytes, uint32_t recordLength);

}  // namespace mendrel
