#include "app_icon.h"

#include "base/win32/system_error_text.h"
#include "dpi.h"
#include "resource_ids.h"

namespace stavrel::win {

HICON SharedAppIcon(HINSTANCE instance, int size_metric) {
  const int size = GetSystemMetrics(size_metric);
  auto icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAVREL), IMAGE_ICON, size, size, LR_SHARED));
  if (!icon) win32::ThrowLastError(L"Load the program icon");
  return icon;
}

win32::IconHandle AppIconForDpi(HINSTANCE instance, int size_metric, UINT dpi) {
  const int size = SystemMetricForDpi(size_metric, dpi);
  win32::IconHandle icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAVREL), IMAGE_ICON, size, size, 0)));
  if (!icon.Valid()) win32::ThrowLastError(L"Load the program icon");
  return icon;
}

}  // namespace stavrel::win
