#include "stop_request.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <csignal>

namespace tessaly_cli {
namespace {

volatile std::sig_atomic_t stopFlag = 0;

#ifdef _WIN32
// Runs on a thread of its own; answering TRUE keeps the process alive.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  stopFlag = 1;
  return TRUE;
}
#else
void OnInterrupt(int) { stopFlag = 1; }
#endif

}  // namespace

#ifdef _WIN32
// A console has no broken pipe signal: a vanished log reader makes writes fail, which
// the log ignores.
void InstallStopHandler() { SetConsoleCtrlHandler(&OnConsoleControl, TRUE); }
#else
void InstallStopHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // Restarted calls keep the engine's reads and writes from failing with EINTR.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  // A log reader that goes away must not end a repair half way, leaving a table
  // whose record count was never written: the log lines are then just lost.
  std::signal(SIGPIPE, SIG_IGN);
}
#endif

bool StopRequested() { return stopFlag != 0; }

}  // namespace tessaly_cli
