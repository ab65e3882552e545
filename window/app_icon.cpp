#include "app_icon.h"

#include "dpi.h"
#include "resource_ids.h"
#include "win32_error.h"

namespace stavrel::win {

HICON SharedAppIcon(HINSTANCE instance, int size_metric) {
  const int size = GetSystemMetrics(size_metric);
  auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAVREL), IMAGE_ICON,
                                            size, size, LR_SHARED));
  if (!icon) ThrowLastError(L"Load the program icon");
  return icon;
}

IconHandle AppIconForDpi(HINSTANCE instance, int size_metric, UINT dpi) {
  const int size = SystemMetricForDpi(size_metric, dpi);
  IconHandle icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAVREL), IMAGE_ICON, size, size, 0)));
  if (!icon) ThrowLastError(L"Load the program icon");
  return icon;
}

}  // namespace stavrel::win
