#include "current_folder.h"

#include <windows.h>

#include "win32_error.h"

namespace stavrel::win {

void SetCurrentFolder(const std::wstring& folder) {
  if (folder.empty()) return;
  if (!SetCurrentDirectoryW(folder.c_str())) ThrowLastError(L"Change the current folder", folder);
}

}  // namespace stavrel::win
