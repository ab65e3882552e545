#include "program_folder.h"

#include <windows.h>

#include "base/win32/system_error_text.h"

namespace stavrel::win32::platform {

std::wstring FolderOfProgram(const std::wstring& program_path) {
  const auto last_separator = program_path.rfind(L'\\');
  if (last_separator == std::wstring::npos) return program_path;
  std::wstring folder = program_path.substr(0, last_separator);
  // "C:" alone means the drive's current folder, not its root.
  if (!folder.empty() && folder.back() == L':') folder += L'\\';
  return folder;
}

std::wstring RunningProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw LastError(L"find the program folder of", L"");
    // A full buffer means the name was cut short.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace stavrel::win32::platform
