// Entry points: the arguments and environment as UTF-8, then the portable
// program.
#include <cstdlib>
#include <string>
#include <vector>

#include "program.h"

#ifdef _WIN32
#include <windows.h>

#include "win32/utf.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(stavrel::win32::ToUtf8(argv[i]));
  gz::Environment environment;
  if (const wchar_t* value = _wgetenv(L"GZIP")) environment.gzip_options = stavrel::win32::ToUtf8(value);
  environment.posixly_correct = _wgetenv(L"POSIXLY_CORRECT") != nullptr;
  return gz::RunProgram(arguments, environment);
}

#else

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  gz::Environment environment;
  if (const char* value = std::getenv("GZIP")) environment.gzip_options = value;
  environment.posixly_correct = std::getenv("POSIXLY_CORRECT") != nullptr;
  return gz::RunProgram(arguments, environment);
}

#endif
