// Stop requests on Windows: the console's Ctrl+C, Ctrl+Break and closing.
#include <windows.h>

#include "cli/stop_request.h"

namespace stavrel::cli {
namespace {

// Windows ends the process when the handler of a closing console returns,
// and at the latest 5 s after the event; wait a little less than that.
constexpr DWORD kCloseGraceMs = 4500;

// Set once the run is over, its temporaries removed.
HANDLE run_finished = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: RequestStop(); return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // The process dies when this returns: let the run stop first, so that
      // no file is left half-written.
      RequestStop();
      if (run_finished) WaitForSingleObject(run_finished, kCloseGraceMs);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void CatchStopRequests() {
  // Manual reset: every handler thread that waits sees it.
  run_finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RunFinished() {
  if (run_finished) SetEvent(run_finished);
}

}  // namespace stavrel::cli
