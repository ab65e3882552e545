// Stop requests on Windows: the console's Ctrl+C, Ctrl+Break and closing.
#include <windows.h>

#include "cli/stop_request.h"

namespace stavrel::cli {
namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: RequestStop(); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void CatchStopRequests() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

}  // namespace stavrel::cli
