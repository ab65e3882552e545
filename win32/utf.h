#pragma once
// Text between UTF-16 (what Windows speaks) and bytes (UTF-8, or the ANSI
// code page of older programs).
#include <optional>
#include <string>
#include <string_view>

namespace stavrel::win32 {

std::string ToUtf8(std::wstring_view text);
// Invalid UTF-8 becomes U+FFFD.
std::wstring ToUtf16(std::string_view utf8);
// Nothing when the bytes are not valid UTF-8.
std::optional<std::wstring> ToUtf16IfValid(std::string_view utf8);
// Bytes in the ANSI code page (CP_ACP).
std::wstring FromAnsiCodePage(std::string_view bytes);

}  // namespace stavrel::win32
