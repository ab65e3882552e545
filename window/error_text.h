#pragma once
// The last stop of an exception before it could leave a window procedure or
// the program: shown in words that core's command boundary gives it.
#include <windows.h>

#include <string>

namespace stavrel::win {

// Call inside a catch block: shows `what_was_done` and the exception being
// handled in a modal "Error" box. Never throws.
void ReportCurrentException(HWND owner, const std::wstring& what_was_done) noexcept;

}  // namespace stavrel::win
