#include "file_dialog.h"

#include "control_driving.h"
#include "window_search.h"

namespace stavrel::ui {
namespace {

// Control ids of the common file dialog (dlgs.h): the file-name box (cmb13),
// the file-type list (cmb1), and the answers of a question box.
constexpr int kFileNameBox = 0x47C;
constexpr int kFileTypeList = 0x470;
constexpr int kYes = IDYES;
constexpr int kNo = IDNO;

bool IsDialogClass(HWND window) { return ClassNameOf(window) == L"#32770"; }

HWND FileNameEdit(HWND dialog) {
  // An Edit inside a ComboBox inside a ComboBoxEx32, all with the same id.
  for (HWND child : DescendantsOf(dialog)) {
    if (GetDlgCtrlID(child) == kFileNameBox && ClassNameOf(child) == L"Edit") return child;
  }
  return nullptr;
}

// A toolbar inside the dialog has id 1 too; the button is the one wanted.
HWND DialogButton(HWND dialog, int id) { return DescendantWithId(dialog, id, L"Button"); }

}  // namespace

FileDialog FileDialog::WaitFor(DWORD process_id) {
  return FileDialog(WaitForTopLevel(process_id, [](HWND window) {
    return IsDialogClass(window) && FileNameEdit(window) != nullptr;
  }));
}

std::wstring FileDialog::Title() const { return TextOf(dialog_); }

std::vector<std::wstring> FileDialog::FileTypes() const {
  std::vector<std::wstring> types;
  HWND list = DescendantWithId(dialog_, kFileTypeList, L"ComboBox");
  if (list == nullptr) return types;
  const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    types.push_back(text);
  }
  return types;
}

void FileDialog::Choose(const std::wstring& path) const {
  SetText(FileNameEdit(dialog_), path);
  Press(DialogButton(dialog_, IDOK));
}

void FileDialog::Cancel() const { Press(DialogButton(dialog_, IDCANCEL)); }

bool FileDialog::WaitUntilClosed() const { return WaitUntilGone(dialog_); }

OverwriteQuestion OverwriteQuestion::WaitFor(const FileDialog& save_dialog) {
  const HWND owner = save_dialog.Handle();
  return OverwriteQuestion(WaitForTopLevel(ProcessOf(owner), [owner](HWND window) {
    return IsDialogClass(window) && GetWindow(window, GW_OWNER) == owner &&
           DialogButton(window, kYes) != nullptr;
  }));
}

void OverwriteQuestion::AnswerYes() const { Press(DialogButton(question_, kYes)); }
void OverwriteQuestion::AnswerNo() const { Press(DialogButton(question_, kNo)); }
bool OverwriteQuestion::WaitUntilClosed() const { return WaitUntilGone(question_); }

}  // namespace stavrel::ui
