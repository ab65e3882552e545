#include "cli_program.h"

#include <exception>
#include <variant>

#include "batch_run.h"
#include "cli_arguments.h"
#include "console_text.h"
#include "platform/native_platform.h"
#include "report_line.h"
#include "stop_request.h"

namespace stavrel::cli {

int RunProgram(const std::vector<std::string>& arguments) {
  try {
    auto parsed = ParseArguments(arguments);
    if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
    CatchStopRequests();
    NativePlatform platform;
    return RunBatch(std::get<CliRequest>(parsed), platform);
  } catch (const std::exception& error) {
    // The core turns its own failures into reports; this is the console failing.
    WriteLine(stderr, std::wstring(kProgramName) + L": stopped unexpectedly: " +
                          TextFromArgument(error.what()));
    return 1;
  }
}

}  // namespace stavrel::cli
