#include "platform_under_test.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "win32/win32_platform.h"
#else
#include "posix/posix_platform.h"
#endif

std::unique_ptr<stavrel::Platform> MakePlatform() {
#ifdef _WIN32
  return std::make_unique<stavrel::Win32Platform>();
#else
  return std::make_unique<stavrel::PosixPlatform>();
#endif
}

std::wstring ProgramFileName(const std::wstring& name) {
#ifdef _WIN32
  return name + L".exe";
#else
  return name;
#endif
}

std::wstring ChildProgramPath() {
  return MakePlatform()->ProgramFolder() + L"\\" + ProgramFileName(L"platform_child");
}
