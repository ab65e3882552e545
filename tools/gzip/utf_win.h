#pragma once
// UTF-16 (what Windows speaks) to and from UTF-8 (what the rest of gzip
// speaks).
#include <string>
#include <string_view>

namespace gz::win {

std::string to_utf8(std::wstring_view text);
// Invalid UTF-8 (a stored name from elsewhere) becomes U+FFFD.
std::wstring to_utf16(std::string_view text);

}  // namespace gz::win
