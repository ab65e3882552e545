// Stop requests natively: SIGINT, SIGTERM and SIGHUP.
#include <csignal>
#include <cstring>

#include "cli/stop_request.h"

namespace stavrel::cli {
namespace {

extern "C" void OnStopSignal(int) { RequestStop(); }

}  // namespace

void CatchStopRequests() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Restarted calls: a read or write in progress finishes, and the run
  // looks at the request at its next step.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A closed terminal ends the run the same way, not in the middle of a file.
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace stavrel::cli
