#pragma once
#include <memory>

#include "platform.h"

namespace stavrel::win32::platform {

// Starts launch.application with its standard input and output on NUL and its
// standard error collected through a pipe.
std::unique_ptr<ChildProcess> StartChildProcess(const ProcessLaunch& launch);

}  // namespace stavrel::win32::platform
