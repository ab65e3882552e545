#include "child_output_text.h"

#include <windows.h>

namespace stavrel::win32 {
namespace {

std::wstring Decode(UINT code_page, DWORD flags, const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, flags, bytes.data(), size, nullptr, 0);
  if (length == 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::wstring DecodeChildOutput(const std::string& bytes) {
  std::wstring text;
  if (!bytes.empty()) {
    text = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
    if (text.empty()) text = Decode(CP_ACP, 0, bytes);
  }
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
    text.pop_back();
  return text;
}

}  // namespace stavrel::win32
