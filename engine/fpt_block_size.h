#pragma once

#include <cstdint>
#include <vector>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "io/file64ex.h"

namespace mendrel {

// The nonzero memo block numbers of every record from recordStart on, in record order.
// The source position is left as found.
std::vector<uint32_t> ReadMemoPointers(CFile64Ex& source, uint64_t recordStart, const FieldList& fields,
                                       const FieldLengths& lengths, uint8_t sourceVersion);

// The block size of an FPT file whose header lost it: among the sizes FoxPro writes, the
// one under which most pointers land on a plausible block header. No hits, or a tie for
// the most, keep the default of 64.
uint32_t GuessFptBlockSize(CFile64Ex& memo, const std::vector<uint32_t>& pointers);

}  // namespace mendrel
