// Start-up: show the main window and run its messages until it closes.
#include <windows.h>
#include <commctrl.h>

#include "dpi.h"
#include "error_text.h"
#include "frm_main.h"
#include "message_loop.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace stavrel::win;

  // Before any window exists: awareness is fixed once the first one is made.
  EnablePerMonitorDpiAwareness();

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  try {
    stavrel::Win32Platform platform;
    frmMain window(platform);
    window.Create(instance);
    ShowWindow(window.Window(), show);
    UpdateWindow(window.Window());
    return RunMessageLoop(window.Window());
  } catch (...) {
    ReportCurrentException(nullptr, L"Stavrel could not start or stopped unexpectedly.");
    return 1;
  }
}
