#include "control_placement.h"

#include "base/win32/system_error_text.h"
#include "layout.h"

namespace stavrel::win {

void PlaceControls(HWND parent, UINT dpi, const WindowFonts& fonts) {
  HDWP positions = BeginDeferWindowPos(static_cast<int>(kMainWindowControls.size()));
  if (!positions) win32::ThrowLastError(L"Move the controls");
  for (const ControlEntry& entry : kMainWindowControls) {
    HWND control = GetDlgItem(parent, entry.id);
    if (!control) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Font(entry.font)), FALSE);
    const RECT rect = ControlRect(entry, dpi);
    // DeferWindowPos frees the batch itself when it fails.
    positions = DeferWindowPos(positions, control, nullptr, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    if (!positions) win32::ThrowLastError(L"Move the controls");
  }
  if (!EndDeferWindowPos(positions)) win32::ThrowLastError(L"Move the controls");
  InvalidateRect(parent, nullptr, TRUE);
}

}  // namespace stavrel::win
