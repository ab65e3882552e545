#include "about_text.h"

#include <array>

#include "version.h"

namespace stavrel::win {

std::wstring AboutText() {
  // Short lines: the message box wraps long ones at a width of its own.
  const std::array<const wchar_t*, 10> lines = {
      L"Stavrel " STAVREL_VERSION_TEXT L", written by the Stavrel developers.",
      L"",
      L"Thanks to the people who explained how",
      L"save states are compressed, and to those",
      L"who explained the save-state editors.",
      L"",
      L"More save-state editors are collected at:",
      L"https://stavrel.example/editors",
      L"",
      L"Contact: stavrel@stavrel.example",
  };
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i != 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace stavrel::win
