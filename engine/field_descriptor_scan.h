#pragma once

#include "field_descriptor.h"
#include "io/file64ex.h"
#include "repair_session.h"
#include "table_header.h"

namespace mendrel {

// Reads descriptors from offset 32 on while they are plausible, mending each one kept.
// The header's lengths only hint where the list ends. Leaves the source at the
// terminator, at the first rejected block, after the last descriptor or at the end.
// True when at least one descriptor was accepted.
bool ScanFieldDescriptors(RepairSession& session, const TableHeader& header, CFile64Ex& source,
                          FieldList& fields);

}  // namespace mendrel
