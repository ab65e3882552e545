#pragma once
// Where the built program folder is: stavrel.exe beside gzip.exe.
#include <string>

namespace stavrel::ui {

// The program folder as a Windows path without a trailing "\".
// STAVREL_PROGRAM_FOLDER in the environment wins over the build's own folder.
std::wstring ProgramFolder();

std::wstring StavrelExePath();

}  // namespace stavrel::ui
