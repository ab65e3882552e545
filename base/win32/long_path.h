#pragma once
#include <string>

namespace stavrel::win32 {

// The path in a form the W functions accept beyond MAX_PATH: a full path with
// the "\\?\" (or "\\?\UNC\") prefix when it is too long, otherwise unchanged.
std::wstring ExtendedLengthPath(const std::wstring& path);

}  // namespace stavrel::win32
