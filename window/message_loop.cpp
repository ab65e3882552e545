#include "message_loop.h"

#include "base/win32/system_error_text.h"

namespace stavrel::win {

void DispatchWithDialogKeys(HWND window, MSG& message) {
  if (window && IsDialogMessageW(window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int RunMessageLoop(HWND window) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) win32::ThrowLastError(L"Read the next window message");
    // Once the window is gone, plain dispatch is all that is left to do.
    DispatchWithDialogKeys(IsWindow(window) ? window : nullptr, message);
  }
}

}  // namespace stavrel::win
