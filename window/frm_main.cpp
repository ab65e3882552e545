// The main window's life: creation, DPI, focus, closing and the message
// dispatch. The commands are in frm_main_commands.cpp.
#include "frm_main.h"

#include <shellapi.h>

#include "app_icon.h"
#include "control_factory.h"
#include "control_ids.h"
#include "control_placement.h"
#include "dpi.h"
#include "layout.h"
#include "base/win32/system_error_text.h"

namespace stavrel::win {

frmMain::frmMain(Platform& platform) : platform_(platform), operations_(gate_) {}

frmMain::~frmMain() {
  if (Window()) DestroyWindow(Window());
}

void frmMain::DescribeClass(WNDCLASSEXW& window_class, HINSTANCE instance) {
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = SharedAppIcon(instance, SM_CXICON);
  window_class.hIconSm = SharedAppIcon(instance, SM_CXSMICON);
}

void frmMain::Create(HINSTANCE instance) {
  instance_ = instance;
  // A first guess at the size; WM_CREATE corrects it for the window's DPI.
  const SIZE size = WindowSizeForDpi(SystemDpi());
  if (CreateTopLevel(instance, L"Stavrel", kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                     size.cy))
    return;
  if (creation_error_) std::rethrow_exception(creation_error_);
  win32::ThrowLastError(L"Create the main window");
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam));
      break;  // DefWindowProc then focuses the window, and WM_SETFOCUS passes it on
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) return TRUE;
      break;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wparam)); return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_GETDPISCALEDSIZE:
      return OnGetDpiScaledSize(static_cast<UINT>(wparam), reinterpret_cast<SIZE*>(lparam));
    default: break;
  }
  return DefWindowProcW(Window(), message, wparam, lparam);
}

bool frmMain::OnCreate() {
  // An exception here would be reported by the window procedure and then
  // again by Create(); keep it for Create() alone.
  try {
    operations_.Attach(Window());
    const UINT dpi = WindowDpi(Window());
    fonts_.emplace(dpi);
    CreateControls(Window(), instance_, dpi, *fonts_);
    SetIconsForDpi(dpi);
    const SIZE size = WindowSizeForDpi(dpi);
    if (!SetWindowPos(Window(), nullptr, 0, 0, size.cx, size.cy,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
      win32::ThrowLastError(L"Size the main window");
    last_focus_ = GetDlgItem(Window(), ids::txtFactor);
    DragAcceptFiles(Window(), TRUE);
    ends_program_on_destroy_ = true;
    return true;
  } catch (...) {
    creation_error_ = std::current_exception();
    return false;
  }
}

void frmMain::OnActivate(WORD state) {
  if (state != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus && IsChild(Window(), focus)) last_focus_ = focus;
}

void frmMain::OnSetFocus() {
  HWND target = last_focus_;
  if (!target || !IsWindow(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(Window(), nullptr, FALSE);
  if (target) SetFocus(target);
}

bool frmMain::CloseLaterIfRunning() {
  // Mid-command the window stays: the command sees the request at its next
  // step, stops, and RunCommand closes the window then. Stopping gzip.exe
  // is the user's to confirm.
  if (!gate_.Running()) return false;
  if (!operations_.BackgroundWork().empty())
    AskToStopGzip(/*then_close=*/true);
  else
    gate_.RequestClose();
  return true;
}

void frmMain::OnClose() {
  if (!CloseLaterIfRunning()) DestroyWindow(Window());
}

bool frmMain::OnSetCursor(HWND over, WORD hit_test) {
  if (operations_.BackgroundWork().empty() || hit_test != HTCLIENT) return false;
  if (over != Window() && !IsChild(Window(), over)) return false;
  SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
  return true;
}

void frmMain::OnDestroy() {
  DragAcceptFiles(Window(), FALSE);
  // A window that failed in WM_CREATE is destroyed too; a WM_QUIT then would
  // close the box that reports the failure before anyone could read it.
  if (ends_program_on_destroy_) PostQuitMessage(0);
}

SIZE frmMain::WindowSizeForDpi(UINT dpi) const {
  return WindowSizeForClient(ClientSize(dpi), kStyle, kExStyle, dpi);
}

void frmMain::SetIconsForDpi(UINT dpi) {
  win32::IconHandle big_icon = AppIconForDpi(instance_, SM_CXICON, dpi);
  win32::IconHandle small_icon = AppIconForDpi(instance_, SM_CXSMICON, dpi);
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon.Get()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.Get()));
  // The old icons go only now that the window no longer shows them.
  big_icon_ = std::move(big_icon);
  small_icon_ = std::move(small_icon);
}

void frmMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
  WindowFonts fonts(dpi);
  PlaceControls(Window(), dpi, fonts);
  fonts_ = std::move(fonts);  // the old fonts go now that no control uses them
  SetIconsForDpi(dpi);
  SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT frmMain::OnGetDpiScaledSize(UINT dpi, SIZE* size) {
  // Windows would scale the outer size; the client size in twips is what is
  // fixed, so the frame is computed afresh for the new DPI.
  *size = WindowSizeForDpi(dpi);
  return TRUE;
}

}  // namespace stavrel::win
