// stavrel-cli's entry point on Windows.
#include <string>
#include <string_view>
#include <vector>

#include "base/utf.h"
#include "cli/cli_program.h"

// cmd.exe hands "*.mdl" over as it is; MinGW's C runtime expands it into the
// matching files, as a batch on the command line expects.
extern "C" {
int _dowildcard = -1;
}

// Arguments arrive as UTF-16 so any file name works; CLI11 reads UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) {
    // "/?" is how Windows programs are asked for their help; no file has that name.
    const bool help = i > 0 && std::wstring_view(argv[i]) == L"/?";
    arguments.push_back(help ? "--help" : stavrel::WideToUtf8(argv[i]));
  }
  return stavrel::cli::RunProgram(arguments);
}
