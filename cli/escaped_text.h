#pragma once
// Text for a terminal or a script's log: a character a terminal would act on
// instead of showing it (a line break, an escape sequence) is written the
// way ls -b writes it, so no file name can forge a line of output.
#include <string>

namespace stavrel::cli {

// \n, \t, \r and the other C escapes for their characters; any other control
// character, and a byte that is not UTF-8, as octal bytes (\033, \302\205).
// Natively a backslash is doubled too, so that every escape reads one way.
std::wstring Escaped(const std::wstring& text);

}  // namespace stavrel::cli
