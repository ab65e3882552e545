#pragma once
// Turns a Win32 error code into the SystemError the program shows.
#include <windows.h>

#include <string>

#include "system_error.h"

namespace stavrel::win32 {

ErrorKind KindOfError(DWORD code);
// True for the codes that mean "there is no such file or folder".
bool MeansNoSuchFile(DWORD code);
// The system's own text for the code, without the trailing line break.
std::wstring ErrorText(DWORD code);

SystemError Win32Error(const wchar_t* operation, const std::wstring& path, DWORD code);
// Reads GetLastError() before anything else can overwrite it.
SystemError LastError(const wchar_t* operation, const std::wstring& path);

}  // namespace stavrel::win32
