#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "io/file64ex.h"
#include "record_start.h"

namespace mendrel {

// A start of the record area, judged by the first bytes of records sampled from it.
struct SampledStart {
  uint64_t start = 0;
  uint64_t flags = 0;    // sampled records that begin with a deletion flag
  uint64_t counted = 0;  // sampled records whose first byte is neither 0x00 nor 0x1A
};

// The candidate whose sampled records most often begin with a deletion flag, the earlier
// one on equal shares. A candidate needs a flag at itself and nine flags in ten counted
// records; there is none for a record length below 2. The source position is left as found.
std::optional<SampledStart> BestRecordStart(CFile64Ex& source, uint64_t sourceLength, uint32_t recordLength,
                                            const std::vector<uint64_t>& candidates);

// The header lengths a list ending one byte before afterTerminator makes believable:
// records right after the terminator, after a pad byte, after a back-link area, or both.
bool IsHeaderLengthBelievable(uint16_t headerLength, uint64_t afterTerminator);

// Where the records start when the header length cannot be believed, found among the
// starts the list's end implies, and the field lengths to cut them by: the plain lengths,
// or the long lengths of character fields when those find a start and the plain ones
// do not, or a larger share of flags. No area when no candidate passes.
struct SampledLayout {
  std::optional<RecordArea> area;
  FieldLengths lengths;
};
SampledLayout SampleRecordLayout(const FieldList& fields, CFile64Ex& source, uint64_t sourceLength,
                                 uint64_t afterTerminator);

// The index of sample i of `samples` records spread evenly over `records`, first and last included.
inline uint64_t SampledRecord(uint64_t i, uint64_t samples, uint64_t records) {
  return samples == 1 ? 0 : i * (records - 1) / (samples - 1);
}

// The starts the end of a descriptor list implies, in the order they are tried.
std::vector<uint64_t> StartsAfterList(uint64_t afterTerminator);

}  // namespace mendrel
