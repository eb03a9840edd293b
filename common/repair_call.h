// One call of the engine's repair entry, as both front ends make it.
#ifndef TESSALY_REPAIR_CALL_H
#define TESSALY_REPAIR_CALL_H

#include <cstdint>

#include "mendrel.h"

namespace tessaly_common {

// Masks the block and calls ordinal 1; with a template path (not null, not empty), the
// extended block through ordinal 11, so that the field list comes from that table.
// Returns the engine's result unchanged.
int32_t CallRepairEntry(RepairArgs args, const char* templatePath);

}  // namespace tessaly_common

#endif
