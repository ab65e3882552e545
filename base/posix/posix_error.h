#pragma once
// Turns an errno value into the SystemError the program shows.
#include <string>

#include "base/system_error.h"

namespace stavrel::posix {

ErrorKind KindOfError(int error);
// True for the values that mean "there is no such file or folder".
bool MeansNoSuchFile(int error);
std::wstring ErrorText(int error);

// path is the caller's own spelling (the Windows form), not the mapped one.
SystemError ErrnoError(const wchar_t* operation, const std::wstring& path, int error);
// Reads errno before anything else can overwrite it.
SystemError LastErrno(const wchar_t* operation, const std::wstring& path);

}  // namespace stavrel::posix
