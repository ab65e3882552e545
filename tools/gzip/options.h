#pragma once
// The command line, read as GNU gzip reads it: getopt_long rules (bundled
// short options, unambiguous abbreviations of long ones, operands anywhere
// unless POSIXLY_CORRECT, "--" ends options), and the GZIP variable's
// level-type options before them.
#include <optional>
#include <string>
#include <vector>

namespace gz {

struct Options {
  bool to_stdout = false;
  bool decompress = false;
  bool test = false;
  bool list = false;
  bool recursive = false;
  bool keep = false;
  int force = 0;
  bool quiet = false;
  int verbose = 0;
  bool no_name = false;  // neither store nor restore the original name
  bool no_time = false;  // neither store nor restore the original time
  bool ascii = false;
  bool presume_input_tty = false;
  int level = 6;
  std::string suffix = ".gz";
  std::vector<std::string> operands;
};

struct CommandLine {
  enum class Outcome { Run, Help, Version, Fail };
  Outcome outcome = Outcome::Run;
  Options options;
  // What goes to standard error before anything else, whatever the outcome
  // (the GZIP variable's deprecation warning, a usage error).
  std::string diagnostics;
};

// `arguments` excludes the program name; `environment_options` is GZIP's
// value when set; `posixly_correct` stops options at the first operand.
CommandLine ParseCommandLine(const std::string& program, const std::vector<std::string>& arguments,
                             const std::optional<std::string>& environment_options, bool posixly_correct);

std::string HelpText(const std::string& program);
std::string VersionText();

}  // namespace gz
