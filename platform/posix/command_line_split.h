#pragma once
#include <string>
#include <vector>

namespace stavrel::posix {

// Splits a Windows command line into arguments the way CommandLineToArgvW
// does, program name first, so a child started here receives the arguments
// a Windows child would.
std::vector<std::wstring> SplitCommandLine(const std::wstring& command_line);

}  // namespace stavrel::posix
