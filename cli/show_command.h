#pragma once

#include <cstdio>

#include "command_line.h"

namespace tessaly_cli {

// Prints the field list and the records of a table, every value rendered by the
// engine's display entries; the process exit code (0 shown, 1 not a valid table).
int RunShowCommand(const ShowRequest& request, std::FILE* out, std::FILE* err);

}  // namespace tessaly_cli
