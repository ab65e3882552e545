#pragma once
// The Platform of the system the program is built for.
#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include "platform/posix/posix_platform.h"
#endif

namespace stavrel {

#ifdef _WIN32
using NativePlatform = Win32Platform;
#else
using NativePlatform = PosixPlatform;
#endif

}  // namespace stavrel
