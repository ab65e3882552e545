#pragma once
#include <string>

namespace stavrel::win32::platform {

// The folder part of a program's full path: no trailing "\" except at a drive
// root ("C:\").
std::wstring FolderOfProgram(const std::wstring& program_path);
// Full path of the running program's executable.
std::wstring RunningProgramPath();

}  // namespace stavrel::win32::platform
