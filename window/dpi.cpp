#include "dpi.h"

#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"

namespace stavrel::win {
namespace {

template <class Function>
Function* User32Function(const char* name) noexcept {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  // FARPROC is a generic function pointer; the detour through void* keeps
  // GCC's function-cast warning quiet for this deliberate conversion.
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

void EnablePerMonitorDpiAwareness() noexcept {
  auto set_context =
      User32Function<BOOL WINAPI(DPI_AWARENESS_CONTEXT)>("SetProcessDpiAwarenessContext");
  // Fails with ERROR_ACCESS_DENIED when the manifest already chose; that is
  // the normal case and not worth reporting.
  if (set_context) set_context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

UINT SystemDpi() noexcept {
  const win32::WindowDc screen = win32::GetWindowDc(nullptr);
  int dpi = screen.Valid() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT WindowDpi(HWND window) noexcept {
  auto dpi_for_window = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
  UINT dpi = dpi_for_window ? dpi_for_window(window) : 0;
  return dpi != 0 ? dpi : SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) noexcept {
  auto metric_for_dpi = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
  if (metric_for_dpi) return metric_for_dpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD ex_style, UINT dpi) {
  RECT rect{0, 0, client.cx, client.cy};
  auto adjust_for_dpi =
      User32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  BOOL adjusted = adjust_for_dpi ? adjust_for_dpi(&rect, style, FALSE, ex_style, dpi)
                                 : AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  if (!adjusted) win32::ThrowLastError(L"Compute the window size");
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace stavrel::win
