#pragma once
// DPI queries. The per-monitor functions exist from Windows 10 1607 on and are
// looked up at run time, so the program still starts on older systems and
// falls back to the system DPI there.
#include <windows.h>

namespace stavrel::win {

inline constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// Per-monitor v2 awareness when the manifest has not set it already.
void EnablePerMonitorDpiAwareness() noexcept;

UINT SystemDpi() noexcept;
UINT WindowDpi(HWND window) noexcept;
int SystemMetricForDpi(int index, UINT dpi) noexcept;

// The outer size of a window whose client area is `client` pixels at `dpi`.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace stavrel::win
