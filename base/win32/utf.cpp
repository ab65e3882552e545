#include "base/utf.h"

#include <windows.h>

namespace stavrel {
namespace {

// Empty when the conversion fails (with MB_ERR_INVALID_CHARS: invalid input).
std::wstring Decode(UINT code_page, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring Utf8ToWide(std::string_view utf8) { return Decode(CP_UTF8, 0, utf8); }

bool IsValidUtf8(std::string_view bytes) {
  return bytes.empty() || !Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes).empty();
}

std::wstring LegacyTextToWide(std::string_view bytes) { return Decode(CP_ACP, 0, bytes); }

}  // namespace stavrel
