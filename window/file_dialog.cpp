#include "file_dialog.h"

#include <commdlg.h>

#include <cstdio>

#include "base/system_error.h"
#include "dialog_filter.h"

namespace stavrel::win {
namespace {

// Long paths reach 32767 characters plus the terminator.
constexpr std::size_t kFileNameCapacity = 32768;

}  // namespace

FileDialog::FileDialog() : file_name_(kFileNameCapacity, L'\0') {}

void FileDialog::SetFilter(std::wstring_view bar_separated) {
  filter_ = DialogFilter(bar_separated);
}

std::optional<std::wstring> FileDialog::ShowOpen(HWND owner) { return Show(owner, false); }

std::optional<std::wstring> FileDialog::ShowSave(HWND owner) { return Show(owner, true); }

std::optional<std::wstring> FileDialog::Show(HWND owner, bool save) {
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file_name_.data();
  dialog.nMaxFile = static_cast<DWORD>(file_name_.size());
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (chosen) return std::wstring(file_name_.data());

  const DWORD failure = CommDlgExtendedError();
  if (failure == 0) return std::nullopt;  // the user cancelled
  wchar_t code[16];
  std::swprintf(code, std::size(code), L"0x%04lX", static_cast<unsigned long>(failure));
  throw SystemError(save ? L"Show the Save As dialog" : L"Show the Open dialog", L"",
                    std::wstring(L"The file dialog failed with error ") + code + L".");
}

}  // namespace stavrel::win
