#pragma once
#include <string>

namespace stavrel::posix {

// rename(2), but with replace == false an existing `to` fails with EEXIST
// instead of being replaced, atomically.
void RenamePosixFile(const std::wstring& from, const std::wstring& to, bool replace);

}  // namespace stavrel::posix
