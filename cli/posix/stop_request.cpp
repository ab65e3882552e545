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
  // No SA_RESTART: a call that waits (an open or a read that could block
  // for ever) fails with EINTR at once, and the run looks at the request.
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A closed terminal ends the run the same way, not in the middle of a file.
  sigaction(SIGHUP, &action, nullptr);
}

// Nothing waits for the run here: a signal only sets the request.
void RunFinished() {}

}  // namespace stavrel::cli
