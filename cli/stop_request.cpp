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
// Windows ends the process when the handler of a closing console returns,
// and at the latest 5 s after the event; wait a little less than that.
constexpr DWORD kCloseGraceMs = 4500;

// Set once the run is over, its temporaries removed.
HANDLE run_finished = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      stop_requested = true;
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // The process dies when this returns: let the run stop first, so that
      // no file is left half-written.
      stop_requested = true;
      if (run_finished) WaitForSingleObject(run_finished, kCloseGraceMs);
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
  // Manual reset: every handler thread that waits sees it.
  run_finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
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
#endif
}

bool StopRequested() { return stop_requested; }

void RunFinished() {
#ifdef _WIN32
  if (run_finished) SetEvent(run_finished);
#endif
}

}  // namespace stavrel::cli
