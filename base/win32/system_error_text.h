#pragma once
// What a Win32 error code means to the user: the system's own words for it,
// and which kind of failure it is, so that every part of the program reports
// a failed Windows call the same way.
#include <windows.h>

#include <string>

#include "base/system_error.h"

namespace stavrel::win32 {

// The system's text for the code, without the trailing line break and blank.
std::wstring SystemErrorText(DWORD code);

ErrorKind KindOfError(DWORD code);
// True for the codes that mean "there is no such file or folder".
bool MeansNoSuchFile(DWORD code);

SystemError Win32Error(const std::wstring& operation, const std::wstring& path, DWORD code);
// Reads GetLastError() before anything else can overwrite it.
SystemError LastError(const std::wstring& operation, const std::wstring& path = {});
[[noreturn]] void ThrowLastError(const std::wstring& operation, const std::wstring& path = {});

}  // namespace stavrel::win32
