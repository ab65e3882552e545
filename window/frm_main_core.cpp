// frmMain's hand-overs to the program's logic in core/.
#include "frm_main.h"
#include "form_commands.h"
#include "path_names.h"

namespace stavrel::win {

void frmMain::ConvertToSnes9x(const std::wstring& source) {
  stavrel::ConvertToSnes9x(operations_, platform_, source);
}

void frmMain::ClearBoxes() { stavrel::ClearBoxes(operations_); }

void frmMain::Decompress(const std::wstring& state) {
  stavrel::Decompress(operations_, platform_, state);
}

void frmMain::Compress(const std::wstring& path) {
  stavrel::Compress(operations_, platform_, path);
}

std::wstring frmMain::RootDir(const std::wstring& path) { return stavrel::RootDir(path); }

std::wstring frmMain::TrimDir(const std::wstring& path) { return stavrel::TrimDir(path); }

std::wstring frmMain::TrimExt(const std::wstring& path) { return stavrel::TrimExt(path); }

}  // namespace stavrel::win
