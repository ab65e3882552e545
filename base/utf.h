#pragma once
// Text between UTF-8 bytes and the system's wide text: UTF-16 on Windows,
// UTF-32 elsewhere.
#include <string>
#include <string_view>

namespace stavrel {

std::string WideToUtf8(std::wstring_view text);
// On Windows invalid UTF-8 becomes U+FFFD. Elsewhere each byte that is not
// UTF-8 becomes U+DC80..U+DCFF and WideToUtf8 gives the same byte back, so
// any file name the system hands over can be handed back.
std::wstring Utf8ToWide(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);
// Bytes in the code page older programs write: Windows' ANSI code page, and
// elsewhere Latin-1 standing in for it.
std::wstring LegacyTextToWide(std::string_view bytes);

}  // namespace stavrel
