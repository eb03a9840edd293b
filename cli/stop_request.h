#pragma once

namespace tessaly_cli {

// Ctrl-C (SIGINT, or the console's Ctrl-C event) only raises a flag; the repair notices it at the engine's next stop
// query, so the table written so far is closed with its true record count. A closed
// standard output does not end a repair either.
void InstallStopHandler();
bool StopRequested();

}  // namespace tessaly_cli
