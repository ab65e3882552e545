#pragma once
#include <memory>

#include "platform.h"

namespace stavrel::posix {

// Starts launch.application with the arguments of launch.command_line (split
// by the Windows rules), standard input and output on /dev/null and standard
// error collected through a pipe.
std::unique_ptr<ChildProcess> StartChildProcess(const ProcessLaunch& launch);

}  // namespace stavrel::posix
