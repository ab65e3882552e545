#pragma once
// The command line, parsed by CLI11.
#include <string>
#include <variant>
#include <vector>

#include "cli_request.h"

namespace stavrel::cli {

// The request, or the exit code to end with at once: 0 after --help or
// --version, 1 after a usage error (said on stderr, with a usage line).
// `arguments` are UTF-8, the program's own name first.
std::variant<CliRequest, int> ParseArguments(const std::vector<std::string>& arguments);

}  // namespace stavrel::cli
