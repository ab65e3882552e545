#pragma once
// Finding the program's windows from outside its process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace stavrel::ui {

std::wstring ClassNameOf(HWND window);

// The text as the window itself reports it (WM_GETTEXT): for an edit box of
// another process that is the box's contents, which GetWindowText does not give.
std::wstring TextOf(HWND window);

DWORD ProcessOf(HWND window);

// Visible top-level windows of a process, topmost first.
std::vector<HWND> TopLevelWindowsOf(DWORD process_id);

// Every window below `parent`, at any depth, in Z order.
std::vector<HWND> DescendantsOf(HWND parent);

// The first window below `parent` with this control id (and class, if given).
HWND DescendantWithId(HWND parent, int id, const wchar_t* class_name = nullptr);

// Waits for a visible top-level window of the process that `matches`; null if none came.
HWND WaitForTopLevel(DWORD process_id, const std::function<bool(HWND)>& matches);

// Waits until the window is gone; says whether it went.
bool WaitUntilGone(HWND window);

}  // namespace stavrel::ui
