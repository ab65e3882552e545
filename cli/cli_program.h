#pragma once
// stavrel-cli: the console front end over the same core as the window. Each
// system's entry point (win32/main.cpp, posix/main.cpp) reads the arguments
// and hands them on here.
#include <string>
#include <vector>

namespace stavrel::cli {

// The arguments as UTF-8, the program's name first; returns the exit code.
int RunProgram(const std::vector<std::string>& arguments);

}  // namespace stavrel::cli
