// stavrel-cli's entry point natively.
#include "cli/cli_program.h"

int main(int argc, char** argv) {
  return stavrel::cli::RunProgram(std::vector<std::string>(argv, argv + argc));
}
