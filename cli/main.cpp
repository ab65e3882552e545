// stavrel-cli: the console front end over the same core as the window.
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "batch_run.h"
#include "cli_arguments.h"
#include "console_text.h"
#include "report_line.h"
#include "stop_request.h"

#ifdef _WIN32
#include "win32_platform.h"
using NativePlatform = stavrel::Win32Platform;
#else
#include "posix_platform.h"
using NativePlatform = stavrel::PosixPlatform;
#endif

namespace {

int RunProgram(const std::vector<std::string>& arguments) {
  using namespace stavrel::cli;
  try {
    auto parsed = ParseArguments(arguments);
    if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
    CatchStopRequests();
    NativePlatform platform;
    const int exit_code = RunBatch(std::get<CliRequest>(parsed), platform);
    RunFinished();
    return exit_code;
  } catch (const std::exception& error) {
    // The core turns its own failures into reports; this is the console failing.
    WriteLine(stderr, std::wstring(kProgramName) + L": stopped unexpectedly: " +
                          TextFromArgument(error.what()));
    return 1;
  }
}

}  // namespace

#ifdef __MINGW32__
// cmd.exe hands "*.mdl" over as it is; the C runtime expands it into the
// matching files, as a batch on the command line expects.
extern "C" {
int _dowildcard = -1;
}
#endif

#ifdef _WIN32
// Arguments arrive as UTF-16 so any file name works; CLI11 reads UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(stavrel::cli::ArgumentFromWide(argv[i]));
  return RunProgram(arguments);
}
#else
int main(int argc, char** argv) { return RunProgram(std::vector<std::string>(argv, argv + argc)); }
#endif
