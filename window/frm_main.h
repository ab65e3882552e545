#pragma once
// The program's one window: the converter, the two state groups and the
// default state name, with their buttons.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "base/win32/scoped_handles.h"
#include "base_window.h"
#include "command_run.h"
#include "file_dialog.h"
#include "fonts.h"
#include "main_window_operations.h"
#include "platform.h"

namespace stavrel::win {

class frmMain : public BaseWindow<frmMain> {
 public:
  static constexpr const wchar_t* kClassName = L"StavrelMainWindow";
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  static constexpr DWORD kExStyle = 0;

  explicit frmMain(Platform& platform);
  ~frmMain();

  // Creates the window, hidden; throws when it cannot.
  void Create(HINSTANCE instance);

  static void DescribeClass(WNDCLASSEXW& window_class, HINSTANCE instance);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // The program's logic, run against this window (frm_main_core.cpp).
  void ConvertToSnes9x(const std::wstring& source);
  void ClearBoxes();
  void Decompress(const std::wstring& state);
  void Compress(const std::wstring& path);
  static std::wstring RootDir(const std::wstring& path);
  static std::wstring TrimDir(const std::wstring& path);
  static std::wstring TrimExt(const std::wstring& path);

  // Button handlers (frm_main_commands.cpp).
  void cmdConvert_Click();
  void cmdClear_Click();
  void cmdBrowse_Click(int index);
  void cmdDecompress_Click();
  void cmdCompress_Click();
  void cmdAbout_Click();
  void cmdExit_Click();

 private:
  using WhileRunning = CommandGate::WhileRunning;

  bool OnCreate();
  void OnCommand(int id, int code, HWND control);
  void OnActivate(WORD state);
  void OnSetFocus();
  void OnClose();
  // While a command runs, a close waits for it (asking first when that
  // means stopping gzip.exe); returns false when nothing runs.
  bool CloseLaterIfRunning();
  bool OnSetCursor(HWND over, WORD hit_test);
  // While gzip.exe works, asks whether to stop it; Yes stops the command,
  // and closes the window afterwards when `then_close`.
  void AskToStopGzip(bool then_close);
  void OnDestroy();
  void OnDropFiles(HDROP drop);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnGetDpiScaledSize(UINT dpi, SIZE* size);

  void SetIconsForDpi(UINT dpi);
  SIZE WindowSizeForDpi(UINT dpi) const;
  void PressFocusedButton();
  // Puts a chosen or dropped file into its box, as the browse buttons do.
  void FillPathBox(Box box, const std::wstring& path, bool fills_default_name);

  // The boundary of every command: core's gate, which refuses a second
  // command and reports whatever escapes; the window closes afterwards when
  // that was asked meanwhile.
  void RunCommand(const wchar_t* failure_heading, WhileRunning while_running,
                  const std::function<void()>& body);

  Platform& platform_;
  HINSTANCE instance_ = nullptr;
  CommandGate gate_;
  bool asking_to_stop_ = false;
  MainWindowOperations operations_;
  FileDialog dlgMain;
  std::optional<WindowFonts> fonts_;
  win32::IconHandle big_icon_;
  win32::IconHandle small_icon_;
  HWND last_focus_ = nullptr;
  bool ends_program_on_destroy_ = false;
  std::exception_ptr creation_error_;
};

}  // namespace stavrel::win
