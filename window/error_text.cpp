#include "error_text.h"

#include <new>

#include "path_names.h"
#include "system_error.h"

namespace stavrel::win {
namespace {

std::wstring Widen(const char* text) {
  std::string narrow(text ? text : "");
  if (narrow.empty()) return {};
  // Standard library messages are ASCII; UTF-8 covers whatever else comes.
  int length = MultiByteToWideChar(CP_UTF8, 0, narrow.data(), static_cast<int>(narrow.size()),
                                   nullptr, 0);
  if (length <= 0) return std::wstring(narrow.begin(), narrow.end());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(),
                      length);
  return wide;
}

}  // namespace

std::wstring DescribeException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const SystemError& failure) {
    std::wstring text = L"Operation: " + failure.Operation();
    if (!failure.Path().empty()) text += L"\r\nFile: " + failure.Path();
    text += L"\r\nReason: " + failure.Reason();
    return text;
  } catch (const PathTooShort& failure) {
    return L"The path is too short to end in an extension: \"" + failure.Path() + L"\"";
  } catch (const std::bad_alloc&) {
    return L"There is not enough memory.";
  } catch (const std::exception& failure) {
    return Widen(failure.what());
  } catch (...) {
    return L"An unknown error occurred.";
  }
}

void ShowErrorBox(HWND owner, const std::wstring& text) noexcept {
  if (owner && !IsWindow(owner)) owner = nullptr;
  MessageBoxW(owner, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

void ReportCurrentException(HWND owner, const std::wstring& what_was_done) noexcept {
  try {
    ShowErrorBox(owner, what_was_done + L"\r\n\r\n" + DescribeException(std::current_exception()));
  } catch (...) {
    // Building the text failed too (out of memory): say what is certain.
    if (owner && !IsWindow(owner)) owner = nullptr;
    MessageBoxW(owner, L"An error occurred, and there was not enough memory to describe it.",
                L"Error", MB_OK | MB_ICONERROR);
  }
}

}  // namespace stavrel::win
