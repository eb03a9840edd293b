#pragma once

#include <cstddef>
#include <optional>

#include "field_descriptor.h"
#include "io/file64ex.h"
#include "repair_session.h"
#include "table_header.h"

namespace mendrel {

// A descriptor rebuilt for the one the source lost: read in place of the block at index.
struct DescriptorReplacement {
  size_t index = 0;
  FieldDescriptor block{};
};

// What a scan was given beyond the source, and how it ended.
struct DescriptorScan {
  std::optional<DescriptorReplacement> replacement;
  bool stopRequested = false;  // set when the caller's stop request ended the scan
};

// Reads descriptors from offset 32 on while they are plausible, mending each one kept.
// The header's lengths only hint where the list ends. Leaves the source at the
// terminator, at the first rejected block, after the last descriptor or at the end.
// True when at least one descriptor was accepted.
bool ScanFieldDescriptors(RepairSession& session, const TableHeader& header, CFile64Ex& source,
                          FieldList& fields, DescriptorScan* scan = nullptr);

}  // namespace mendrel
