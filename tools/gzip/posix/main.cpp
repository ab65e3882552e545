// The entry point natively: the arguments and environment as they come, then
// the portable program.
#include <cstdlib>
#include <string>
#include <vector>

#include "program.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  gz::Environment environment;
  if (const char* value = std::getenv("GZIP")) environment.gzip_options = value;
  environment.posixly_correct = std::getenv("POSIXLY_CORRECT") != nullptr;
  return gz::RunProgram(arguments, environment);
}
