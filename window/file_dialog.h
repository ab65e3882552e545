#pragma once
// The window's one file dialog. It keeps the last chosen file name between
// uses, so each dialog opens where the previous one left off.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stavrel::win {

class FileDialog {
 public:
  FileDialog();

  // "Description|pattern|" pairs, as the browse buttons write them.
  void SetFilter(std::wstring_view bar_separated);

  // The chosen file's full path; nothing when the user cancelled.
  std::optional<std::wstring> ShowOpen(HWND owner);
  // Asks before replacing an existing file.
  std::optional<std::wstring> ShowSave(HWND owner);

 private:
  std::optional<std::wstring> Show(HWND owner, bool save);

  std::wstring filter_;
  std::vector<wchar_t> file_name_;
};

}  // namespace stavrel::win
