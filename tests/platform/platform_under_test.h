#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/system_error.h"
#include "platform.h"

std::unique_ptr<stavrel::Platform> MakePlatform();

// Where the build puts the small program the process tests start: next to
// the test program.
std::wstring ChildProgramPath();
// The file name programs have here: "name.exe" on Windows, "name" on Linux.
std::wstring ProgramFileName(const std::wstring& name);

// Runs action and returns the SystemError it throws; fails the test when it
// throws none.
template <class Action>
stavrel::SystemError CatchSystemError(Action&& action) {
  try {
    action();
  } catch (const stavrel::SystemError& error) {
    return error;
  }
  ADD_FAILURE() << "no SystemError was thrown";
  return stavrel::SystemError(L"", L"", L"");
}
