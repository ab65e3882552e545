#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace stavrel::fuzz {

void Fail(const char* property, const std::wstring& detail) {
  // Byte by byte: the process runs in the "C" locale, where %ls stops at the
  // first character outside ASCII.
  std::string text;
  for (wchar_t c : detail) {
    if ((c >= 0x20 && c < 0x7f) || c == L'\n') {
      text += static_cast<char>(c);
    } else {
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\x{%x}", static_cast<unsigned>(c));
      text += escape;
    }
  }
  std::fprintf(stderr, "\n*** property failed: %s\n%s\n", property, text.c_str());
  std::abort();
}

std::wstring Quoted(const std::wstring& text) {
  std::wstring out = L"L\"";
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') {
      out += L'\\';
      out += c;
    } else if (c >= 0x20 && c < 0x7f) {
      out += c;
    } else {
      wchar_t escape[16];
      std::swprintf(escape, 16, L"\\x%04x\"L\"", static_cast<unsigned>(c));
      out += escape;
    }
  }
  return out + L"\"";
}

std::wstring Exact(double value) {
  wchar_t text[40];
  std::swprintf(text, 40, L"%.17g", value);
  return text;
}

}  // namespace stavrel::fuzz
