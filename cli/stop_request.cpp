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
}

bool StopRequested() { return stopFlag != 0; }

void RequestStop() { stopFlag = 1; }

}  // namespace tessaly_cli
