#pragma once
// Runs a request's files one after another through the core, each to its
// end before the next starts: a failed file is reported and the others are
// still done. Returns the exit code: 0 all done, 1 a file failed, 2 only
// warnings, 130 stopped by Ctrl+C.
#include "cli_request.h"
#include "platform.h"

namespace stavrel::cli {

int RunBatch(const CliRequest& request, Platform& platform);

}  // namespace stavrel::cli
