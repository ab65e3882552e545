// The entry point on Windows: the arguments and environment as UTF-8, then
// the portable program.
#include <cstdlib>
#include <string>
#include <vector>

#include "base/utf.h"
#include "program.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(stavrel::WideToUtf8(argv[i]));
  gz::Environment environment;
  if (const wchar_t* value = _wgetenv(L"GZIP")) environment.gzip_options = stavrel::WideToUtf8(value);
  environment.posixly_correct = _wgetenv(L"POSIXLY_CORRECT") != nullptr;
  return gz::RunProgram(arguments, environment);
}
