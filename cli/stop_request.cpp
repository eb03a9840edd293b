#include "stop_request.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <atomic>
#include <csignal>

namespace tessaly_cli {
namespace {

// Read by every running repair, set by a signal handler or the console's own thread: a
// lock-free atomic is safe for both.
std::atomic<bool> stopFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#ifdef _WIN32
// Runs on a thread of its own; answering TRUE keeps the process alive.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  stopFlag.store(true);
  return TRUE;
}
#else
void OnInterrupt(int) { stopFlag.store(true); }
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

bool StopRequested() { return stopFlag.load(); }

}  // namespace tessaly_cli
