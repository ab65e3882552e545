#pragma once
// How a Windows program's C runtime splits its command line into arguments,
// written out from the documented rules, to check the lines we form for
// gzip split back into what was meant.
#include <string>
#include <vector>

namespace stavrel::fuzz {

// The program name ends at the first blank unless quoted, and takes no
// escapes. In the arguments, blanks outside quotes separate, and 2n
// backslashes before a quote give n backslashes and a quote that opens or
// closes, 2n+1 give n and a literal quote; other backslashes are literal.
std::vector<std::wstring> SplitLikeWindows(const std::wstring& line);

}  // namespace stavrel::fuzz
