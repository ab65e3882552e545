#pragma once
// gzip from its arguments to its exit status, the same on every system.
#include <optional>
#include <string>
#include <vector>

namespace gz {

struct Environment {
  std::optional<std::string> gzip_options;  // GZIP
  bool posixly_correct = false;             // POSIXLY_CORRECT is set
};

// `arguments` starts with the program's own path, as argv does.
int RunProgram(const std::vector<std::string>& arguments, const Environment& environment);

// "gzip" for "/usr/bin/gzip" and "C:\Stavrel\gzip.exe" alike.
std::string ProgramName(const std::string& path);

}  // namespace gz
