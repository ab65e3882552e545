#include "window_search.h"

#include "waiting.h"

namespace stavrel::ui {

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      10000, &copied);
  text.resize(copied);
  return text;
}

DWORD ProcessOf(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return process_id;
}

namespace {

struct TopLevelSearch {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopLevelSearch*>(context);
  if (IsWindowVisible(window) && ProcessOf(window) == search->process_id) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD process_id) {
  TopLevelSearch search{process_id, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> DescendantsOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND DescendantWithId(HWND parent, int id, const wchar_t* class_name) {
  for (HWND child : DescendantsOf(parent)) {
    if (GetDlgCtrlID(child) != id) continue;
    if (class_name == nullptr || ClassNameOf(child) == class_name) return child;
  }
  return nullptr;
}

HWND WaitForTopLevel(DWORD process_id, const std::function<bool(HWND)>& matches) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopLevelWindowsOf(process_id)) {
      if (matches(window)) {
        found = window;
        return true;
      }
    }
    return false;
  });
  return found;
}

bool WaitUntilGone(HWND window) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

}  // namespace stavrel::ui
