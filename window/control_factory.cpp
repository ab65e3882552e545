#include "control_factory.h"

#include <commctrl.h>

#include "base/win32/system_error_text.h"
#include "layout.h"

namespace stavrel::win {
namespace {

struct WindowKind {
  const wchar_t* class_name;
  DWORD style;
  DWORD ex_style;
};

WindowKind KindOf(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::Frame:
      // Every control is a child of the main window, not of its frame, so a
      // frame is only a drawn group box.
      return {WC_BUTTONW, child | BS_GROUPBOX, 0};
    case ControlKind::Label:
      // Clips rather than wraps when a font renders a little wider than the
      // label was drawn for; a wrapped label would show only its first word.
      return {WC_STATICW, child | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::Edit:
      return {WC_EDITW, child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      // Never BS_DEFPUSHBUTTON: the window has no default button.
      return {WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Progress: return {PROGRESS_CLASSW, child, 0};
    case ControlKind::Line: return {WC_STATICW, child | SS_ETCHEDHORZ, 0};
  }
  return {WC_STATICW, child, 0};
}

void PrepareControl(HWND control, ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
      // Room for the longest Windows path instead of the default 30000.
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
      break;
    case ControlKind::Progress:
      SendMessageW(control, PBM_SETRANGE32, 0, 100);
      SendMessageW(control, PBM_SETPOS, 0, 0);
      break;
    default: break;
  }
}

}  // namespace

void CreateControls(HWND parent, HINSTANCE instance, UINT dpi, const WindowFonts& fonts) {
  for (const ControlEntry& entry : kMainWindowControls) {
    const WindowKind kind = KindOf(entry.kind);
    const RECT rect = ControlRect(entry, dpi);
    HWND control =
        CreateWindowExW(kind.ex_style, kind.class_name, entry.caption, kind.style, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), instance, nullptr);
    if (!control) win32::ThrowLastError(std::wstring(L"Create the control ") + entry.name);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Font(entry.font)), FALSE);
    PrepareControl(control, entry.kind);
  }
}

}  // namespace stavrel::win
