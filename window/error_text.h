#pragma once
// Showing a failure to the user: the one road every exception takes before
// it could leave a window procedure.
#include <windows.h>

#include <exception>
#include <string>

namespace stavrel::win {

// What failed, in words, from the exception itself.
std::wstring DescribeException(std::exception_ptr error);

// A modal "Error" box with the critical icon. Never throws: it is the last
// stop for an error.
void ShowErrorBox(HWND owner, const std::wstring& text) noexcept;

// Call inside a catch block: shows `what_was_done` and the exception being
// handled.
void ReportCurrentException(HWND owner, const std::wstring& what_was_done) noexcept;

}  // namespace stavrel::win
