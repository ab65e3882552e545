#pragma once
// Message dispatch with the dialog keyboard (Tab, Shift+Tab, access keys) on
// a plain window.
#include <windows.h>

namespace stavrel::win {

void DispatchWithDialogKeys(HWND window, MSG& message);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND window);

}  // namespace stavrel::win
