#include "main_window_operations.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "base/win32/system_error_text.h"
#include "control_ids.h"
#include "message_loop.h"
#include "report_words.h"

namespace stavrel::win {
namespace {

// About and Quit stay enabled during a run: Quit then asks the window to
// close once the command has stopped.
constexpr std::array kCommandButtonIds = {
    ids::cmdBrowse_0 + 0, ids::cmdBrowse_0 + 1, ids::cmdBrowse_0 + 2,    ids::cmdBrowse_0 + 3,
    int{ids::cmdConvert}, int{ids::cmdClear},   int{ids::cmdDecompress}, int{ids::cmdCompress},
};

bool IsCommandButton(HWND window, HWND control) noexcept {
  return control && GetParent(control) == window &&
         std::ranges::find(kCommandButtonIds, GetDlgCtrlID(control)) != kCommandButtonIds.end();
}

// The progress bar holds ints; the logic hands over doubles.
int ToProgressUnits(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::round(value);
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return MB_ICONERROR;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
  }
  return MB_ICONINFORMATION;
}

}  // namespace

int BoxControlId(Box box) noexcept {
  switch (box) {
    case Box::Factor: return ids::txtFactor;
    case Box::VarFound: return ids::txtVarFound;
    case Box::File1: return ids::txtFile1;
    case Box::File2: return ids::txtFile2;
    case Box::Decompress: return ids::txtDecompress;
    case Box::Compress: return ids::txtCompress;
    case Box::FName: return ids::txtFName;
  }
  return 0;
}

HWND MainWindowOperations::Control(int id) const {
  HWND control = GetDlgItem(window_, id);
  if (!control)
    win32::ThrowLastError(L"Find control " + std::to_wstring(id) + L" of the main window");
  return control;
}

std::wstring MainWindowOperations::BoxText(Box box) {
  HWND control = Control(BoxControlId(box));
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void MainWindowOperations::SetBoxText(Box box, const std::wstring& text) {
  if (!SetWindowTextW(Control(BoxControlId(box)), text.c_str()))
    win32::ThrowLastError(L"Set the text of a box");
}

void MainWindowOperations::SetProgressMax(double max) {
  // PBM_SETRANGE32: the 16-bit PBM_SETRANGE would cut ranges above 65535.
  SendMessageW(Control(ids::pbProg), PBM_SETRANGE32, 0, ToProgressUnits(max));
}

void MainWindowOperations::SetProgressValue(double value) {
  SendMessageW(Control(ids::pbProg), PBM_SETPOS, static_cast<WPARAM>(ToProgressUnits(value)), 0);
}

void MainWindowOperations::Show(const CommandReport& report) {
  const wchar_t* title = MessageTitle(report.severity);
  if (!MessageBoxW(window_, MessageText(report).c_str(), title,
                   MB_OK | IconStyle(MessageIconOf(report.severity))))
    win32::ThrowLastError(L"Show the message \"" + std::wstring(title) + L"\"");
}

void MainWindowOperations::SetBackgroundWork(const std::wstring& file) {
  background_work_ = file;
  // The pointer says "working in the background" at once, not only when the
  // mouse next moves; WM_SETCURSOR keeps it so.
  POINT point{};
  if (GetCursorPos(&point) && WindowFromPoint(point) &&
      (WindowFromPoint(point) == window_ || IsChild(window_, WindowFromPoint(point))))
    SetCursor(LoadCursorW(nullptr, file.empty() ? IDC_ARROW : IDC_APPSTARTING));
}

bool MainWindowOperations::ProcessPendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Put it back for the main loop, which ends the program once the
      // command has stopped.
      PostQuitMessage(static_cast<int>(message.wParam));
      gate_.RequestClose();
      return false;
    }
    DispatchWithDialogKeys(window_, message);
  }
  return !gate_.StopRequested();
}

void MainWindowOperations::SetCommandsEnabled(bool enabled) noexcept {
  // Called from the logic's destructors too, so nothing here may throw: a
  // button that is not there is simply not switched.
  auto enable_all = [&](BOOL state) {
    for (int id : kCommandButtonIds)
      if (HWND button = GetDlgItem(window_, id)) EnableWindow(button, state);
  };
  if (!enabled) {
    // Windows drops the focus of a control that gets disabled; hand it on to
    // the next control that can take it, so the keyboard keeps working.
    HWND focus = GetFocus();
    enable_all(FALSE);
    if (IsCommandButton(window_, focus)) {
      focus_before_disable_ = focus;
      focus_while_disabled_ = GetNextDlgTabItem(window_, focus, FALSE);
      if (focus_while_disabled_) SetFocus(focus_while_disabled_);
    }
    return;
  }
  enable_all(TRUE);
  if (focus_before_disable_ && GetFocus() == focus_while_disabled_) SetFocus(focus_before_disable_);
  focus_before_disable_ = nullptr;
  focus_while_disabled_ = nullptr;
}

}  // namespace stavrel::win
