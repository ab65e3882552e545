#pragma once
// The program's open and save dialogs, filled in the way a user types a
// path into the file-name box.
#include <windows.h>

#include <string>
#include <vector>

namespace stavrel::ui {

class FileDialog {
 public:
  // Waits for a file dialog of the process; Found() is false if none came.
  static FileDialog WaitFor(DWORD process_id);

  bool Found() const { return dialog_ != nullptr; }
  HWND Handle() const { return dialog_; }
  HWND Owner() const { return GetWindow(dialog_, GW_OWNER); }
  std::wstring Title() const;
  // The entries of the "Files of type" list, as shown.
  std::vector<std::wstring> FileTypes() const;

  // Types the full path into the file-name box and presses Open / Save.
  void Choose(const std::wstring& path) const;
  void Cancel() const;
  // Waits for the dialog to go; says whether it went.
  bool WaitUntilClosed() const;

 private:
  explicit FileDialog(HWND dialog) : dialog_(dialog) {}
  HWND dialog_;
};

// The save dialog's question whether to replace an existing file.
class OverwriteQuestion {
 public:
  static OverwriteQuestion WaitFor(const FileDialog& save_dialog);

  bool Found() const { return question_ != nullptr; }
  void AnswerYes() const;
  void AnswerNo() const;
  bool WaitUntilClosed() const;

 private:
  explicit OverwriteQuestion(HWND question) : question_(question) {}
  HWND question_;
};

}  // namespace stavrel::ui
