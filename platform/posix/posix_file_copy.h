#pragma once
#include <string>

namespace stavrel::posix {

// Copies byte for byte, letting the kernel move the data where it can. Like
// CopyFileW: the new file takes the source's permission bits, a failed copy
// leaves no partial target, and a file is never copied onto itself.
void CopyPosixFile(const std::wstring& from, const std::wstring& to, bool replace);

}  // namespace stavrel::posix
