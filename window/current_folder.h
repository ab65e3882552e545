#pragma once
// The process's current folder.
#include <string>

namespace stavrel::win {

// Makes `folder` the current folder; an empty folder leaves it as it is.
// The state decompression works in the current folder, which must be the
// chosen state's own.
void SetCurrentFolder(const std::wstring& folder);

}  // namespace stavrel::win
