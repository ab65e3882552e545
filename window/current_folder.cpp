#include "current_folder.h"

#include <windows.h>

#include "base/win32/system_error_text.h"

namespace stavrel::win {

void SetCurrentFolder(const std::wstring& folder) {
  if (folder.empty()) return;
  if (!SetCurrentDirectoryW(folder.c_str()))
    win32::ThrowLastError(L"Change the current folder", folder);
}

}  // namespace stavrel::win
