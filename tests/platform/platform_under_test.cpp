#include "platform_under_test.h"

#include <gtest/gtest.h>

#include "platform/native_platform.h"

std::unique_ptr<stavrel::Platform> MakePlatform() {
  return std::make_unique<stavrel::NativePlatform>();
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
