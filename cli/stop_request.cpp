#include "stop_request.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <cstring>
#endif

namespace stavrel::cli {
namespace {

// Set from a signal handler or the console's handler thread.
std::atomic<bool> stop_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      stop_requested = true;
      return TRUE;
    default:
      return FALSE;
  }
}
#else
extern "C" void OnStopSignal(int) { stop_requested = true; }
#endif

}  // namespace

void CatchStopRequests() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
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
#endif
}

bool StopRequested() { return stop_requested; }

}  // namespace stavrel::cli
