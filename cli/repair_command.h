#pragma once

#include <cstdint>
#include <string>

#include "command_line.h"
#include "repair_log.h"

namespace tessaly_cli {

enum class RepairOutcome { kRepaired, kFailed, kStopped, kRefused };

// One call of the engine's repair entry (the extended one when a template is given); the
// engine's result (nonzero: at least one field was recovered).
int32_t CallRepairEngine(const std::string& source, const std::string& output,
                         uint32_t optionWord, const std::string& templatePath, RepairLog& log);

// Repairs one table and writes its whole log: opening lines, the engine's lines,
// elapsed time and result.
RepairOutcome RepairOneFile(const std::string& source, const std::string& output,
                            const RepairRequest& request, RepairLog& log);

// The output of one source: the request's, else the source's name with "_fixed".
std::string OutputFor(const RepairRequest& request, const std::string& source);

// Repairs every source of the request, one after the other or several at once (its
// jobs); the process exit code (0 all repaired, 1 any not).
int RunRepairCommand(const RepairRequest& request, ConsoleLog& console);

}  // namespace tessaly_cli
