#pragma once

#include <cstdint>

#include "field_descriptor.h"
#include "io/file64ex.h"
#include "table_header.h"

namespace mendrel {

// The number of bytes between the descriptor terminator and the first record, judged by
// the source header's length and by where a deletion flag is found. recordAreaGuess is
// the position one byte past the terminator; the source position is left as found.
uint32_t CountExtraHeaderBytes(const TableHeader& header, const FieldList& fields, CFile64Ex& source,
                               uint64_t recordAreaGuess);

}  // namespace mendrel
