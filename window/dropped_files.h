#pragma once
// Files dropped from Explorer onto the window (WM_DROPFILES).
#include <windows.h>
#include <shellapi.h>

#include <span>
#include <string>

namespace stavrel::win {

// The first file of the drop.
std::wstring FirstDroppedFile(HDROP drop);

// Which of the `candidates` (child ids) covers `client_point`; 0 for none.
// The edit boxes lie inside group boxes that are siblings higher in the Z
// order, so asking "which child is here" would answer the group box: the
// rectangles are tested directly.
int ChildAt(HWND parent, POINT client_point, std::span<const int> candidates);

}  // namespace stavrel::win
