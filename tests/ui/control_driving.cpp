#include "control_driving.h"

#include <commctrl.h>

#include "waiting.h"

namespace stavrel::ui {
namespace {

constexpr UINT kSendPatienceMs = static_cast<UINT>(kPatience.count());

LRESULT SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* answered = nullptr) {
  DWORD_PTR result = 0;
  const LRESULT ok = SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendPatienceMs, &result);
  if (answered != nullptr) *answered = ok != 0;
  return static_cast<LRESULT>(result);
}

}  // namespace

void SetText(HWND control, const std::wstring& text) {
  SendAndWait(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool PressAndWait(HWND button) {
  bool answered = false;
  SendAndWait(button, BM_CLICK, 0, 0, &answered);
  return answered;
}

bool SyncWith(HWND window) {
  bool answered = false;
  SendAndWait(window, WM_NULL, 0, 0, &answered);
  return answered;
}

ProgressReading ReadProgress(HWND progress_bar) {
  return {static_cast<int>(SendAndWait(progress_bar, PBM_GETRANGE, FALSE, 0)),
          static_cast<int>(SendAndWait(progress_bar, PBM_GETPOS, 0, 0))};
}

}  // namespace stavrel::ui
