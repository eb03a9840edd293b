#include "stop_request.h"

#include <csignal>

namespace tessaly_cli {
namespace {

volatile std::sig_atomic_t stopFlag = 0;

void OnInterrupt(int) { stopFlag = 1; }

}  // namespace

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

bool StopRequested() { return stopFlag != 0; }

}  // namespace tessaly_cli
