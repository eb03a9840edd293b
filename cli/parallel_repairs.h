#pragma once

#include <vector>

#include "command_line.h"
#include "repair_command.h"
#include "repair_log.h"

namespace tessaly_cli {

// Repairs the request's sources, as many at once as its jobs. Each table's log is held
// until it and every log before it are complete, then printed whole, in the order of the
// sources; the progress bar shows all the tables together. A stop request stops every
// running repair and starts no other. A table that reads or writes what an earlier one
// writes waits for it, so that the outcome is that of one table after the other.
// Returns the outcome of every table that was started, in the order of the sources.
std::vector<RepairOutcome> RepairAtOnce(const RepairRequest& request, LogSink& console);

}  // namespace tessaly_cli
