#pragma once
// UTF-8 <-> wide text (UTF-32 on Linux). Bytes that are not UTF-8 survive the
// round trip: each becomes U+DC80..U+DCFF on the way in and the same byte on
// the way out, so any file name the system hands over can be handed back.
#include <string>
#include <string_view>

namespace stavrel::posix {

std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);
bool IsValidUtf8(std::string_view bytes);

// A child's error output as text: UTF-8 when it is valid UTF-8, otherwise
// Latin-1, standing in for Windows' ANSI code page. Trailing line breaks go.
std::wstring DecodeChildOutput(std::string_view bytes);

}  // namespace stavrel::posix
