#pragma once

#include <cstdint>
#include <optional>

#include "field_descriptor_scan.h"
#include "io/file64ex.h"
#include "memo_block_probe.h"
#include "table_header.h"

namespace mendrel {

// One descriptor of an otherwise sound list, lost to garbage, rebuilt before the scan:
// the header's lengths give its width, the records its type. Applies only when the list
// ends at a terminator where the header length says, the first descriptor is sound, and
// exactly one later block stands out as the lost one; nothing otherwise. The source
// position is left as found.
std::optional<DescriptorReplacement> RebuildLostDescriptor(const TableHeader& header, CFile64Ex& source,
                                                          uint64_t sourceLength, MemoPointerCheck& memo);

}  // namespace mendrel
