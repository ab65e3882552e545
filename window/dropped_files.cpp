#include "dropped_files.h"

#include <shellapi.h>

#include "base/win32/system_error_text.h"

namespace stavrel::win {

std::wstring FirstDroppedFile(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  if (length == 0) return {};
  std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(copied);
  return path;
}

int ChildAt(HWND parent, POINT client_point, std::span<const int> candidates) {
  for (int id : candidates) {
    HWND child = GetDlgItem(parent, id);
    if (!child || !IsWindowVisible(child)) continue;
    RECT rect;
    if (!GetWindowRect(child, &rect)) win32::ThrowLastError(L"Find where a file was dropped");
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    if (PtInRect(&rect, client_point)) return id;
  }
  return 0;
}

}  // namespace stavrel::win
