#pragma once
// Turning a failed Windows call into stavrel::SystemError, so the window
// reports it like every other failure.
#include <windows.h>

#include <string>

namespace stavrel::win {

// The system's text for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD code);

[[noreturn]] void ThrowLastError(const std::wstring& operation, const std::wstring& path = {});

}  // namespace stavrel::win
