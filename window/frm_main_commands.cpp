// What the buttons do, and the boundary that every command passes through.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <iterator>

#include "about_text.h"
#include "browse_targets.h"
#include "control_ids.h"
#include "current_folder.h"
#include "base/win32/scoped_handles.h"
#include "dropped_files.h"
#include "frm_main.h"
#include "state_names.h"
#include "base/win32/system_error_text.h"

namespace stavrel::win {

void frmMain::RunCommand(const wchar_t* failure_heading, WhileRunning while_running,
                         const std::function<void()>& body) {
  gate_.Run(operations_, while_running, body, failure_heading);
  if (!gate_.Running() && gate_.CloseRequested()) DestroyWindow(Window());
}

void frmMain::AskToStopGzip(bool then_close) {
  // A second close or Esc while the question is up asks nothing more.
  if (asking_to_stop_) return;
  asking_to_stop_ = true;
  const std::wstring question = L"gzip.exe is still working on " + operations_.BackgroundWork() +
                                L". Stop it? The state stays as it was.";
  const int answer = MessageBoxW(Window(), question.c_str(), L"Stavrel",
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  asking_to_stop_ = false;
  if (answer == 0) win32::ThrowLastError(L"Ask whether to stop gzip.exe");
  if (answer != IDYES) return;
  if (then_close) gate_.RequestClose();
  gate_.RequestStop();
}

void frmMain::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return;
  if (id == IDOK && !control) {
    // Enter, turned into IDOK by the dialog keyboard handling.
    PressFocusedButton();
    return;
  }
  if (control && !IsWindowEnabled(control)) return;

  if (id >= ids::cmdBrowse_0 && id < ids::cmdBrowse_0 + static_cast<int>(kBrowseTargets.size())) {
    cmdBrowse_Click(id - ids::cmdBrowse_0);
    return;
  }
  switch (id) {
    case ids::cmdConvert: cmdConvert_Click(); break;
    case ids::cmdClear: cmdClear_Click(); break;
    case ids::cmdDecompress: cmdDecompress_Click(); break;
    case ids::cmdCompress: cmdCompress_Click(); break;
    case ids::cmdAbout: cmdAbout_Click(); break;
    case ids::cmdExit: cmdExit_Click(); break;
    case IDCANCEL:
      // Escape: while gzip.exe works it offers to stop it, else does nothing.
      if (!operations_.BackgroundWork().empty()) AskToStopGzip(/*then_close=*/false);
      break;
    default: break;
  }
}

void frmMain::PressFocusedButton() {
  // Enter presses the focused button, as in a dialog; in a box it does
  // nothing, since the window has no default button.
  HWND focus = GetFocus();
  if (!focus || GetParent(focus) != Window() || !IsWindowEnabled(focus)) return;
  wchar_t class_name[16] = {};
  GetClassNameW(focus, class_name, static_cast<int>(std::size(class_name)));
  if (lstrcmpiW(class_name, WC_BUTTONW) != 0) return;
  if ((GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK) != BS_PUSHBUTTON) return;
  SendMessageW(focus, BM_CLICK, 0, 0);
}

void frmMain::cmdConvert_Click() {
  RunCommand(L"\"Convert!\" could not finish.", WhileRunning::Refuse,
             [&] { ConvertToSnes9x(operations_.BoxText(Box::File1)); });
}

void frmMain::cmdClear_Click() {
  RunCommand(L"\"Clear All!\" could not finish.", WhileRunning::Refuse, [&] { ClearBoxes(); });
}

void frmMain::cmdDecompress_Click() {
  RunCommand(L"\"Decompress!\" could not finish.", WhileRunning::Refuse,
             [&] { Decompress(operations_.BoxText(Box::Decompress)); });
}

void frmMain::cmdCompress_Click() {
  RunCommand(L"\"Recompress!\" could not finish.", WhileRunning::Refuse,
             [&] { Compress(operations_.BoxText(Box::Compress)); });
}

void frmMain::cmdBrowse_Click(int index) {
  if (index < 0 || index >= static_cast<int>(kBrowseTargets.size())) return;
  RunCommand(L"The file could not be chosen.", WhileRunning::Refuse, [&] {
    const BrowseTarget& target = kBrowseTargets[static_cast<std::size_t>(index)];
    dlgMain.SetFilter(target.filter);
    const std::optional<std::wstring> chosen =
        target.dialog == DialogKind::Save ? dlgMain.ShowSave(Window()) : dlgMain.ShowOpen(Window());
    // A cancelled dialog leaves the box as it was.
    if (chosen) FillPathBox(target.box, *chosen, target.fills_default_name);
  });
}

void frmMain::FillPathBox(Box box, const std::wstring& path, bool fills_default_name) {
  // Wine's dialog does not always leave the current folder at the chosen
  // file's, and a name without a folder is read in the current folder. A
  // folder too deep to be a process's current folder is not made current:
  // the commands name it in full anyway.
  const std::wstring folder = RootDir(path);
  if (folder.size() <= kLongestWorkingFolder) SetCurrentFolder(folder);
  operations_.SetBoxText(box, path);
  if (fills_default_name) operations_.SetBoxText(Box::FName, TrimDir(path));
}

void frmMain::OnDropFiles(HDROP drop_handle) {
  win32::DropHandle drop(drop_handle);
  POINT point{};
  DragQueryPoint(drop.Get(), &point);
  std::array<int, kDropTargets.size()> drop_ids{};
  for (std::size_t i = 0; i < kDropTargets.size(); ++i) drop_ids[i] = BoxControlId(kDropTargets[i]);
  RunCommand(L"The dropped file could not be used.", WhileRunning::Refuse, [&] {
    const int id = ChildAt(Window(), point, drop_ids);
    if (id == 0) return;
    const std::wstring path = FirstDroppedFile(drop.Get());
    if (path.empty()) return;
    for (Box box : kDropTargets)
      if (BoxControlId(box) == id) FillPathBox(box, path, box == Box::Decompress);
  });
}

void frmMain::cmdAbout_Click() {
  RunCommand(L"The About box could not be shown.", WhileRunning::Nest, [&] {
    if (!MessageBoxW(Window(), AboutText().c_str(), kAboutTitle, MB_OK | MB_ICONINFORMATION))
      win32::ThrowLastError(L"Show the About box");
  });
}

void frmMain::cmdExit_Click() {
  if (CloseLaterIfRunning()) return;
  RunCommand(L"\"Quit\" could not clear the boxes.", WhileRunning::Refuse, [&] { ClearBoxes(); });
  DestroyWindow(Window());
}

}  // namespace stavrel::win
