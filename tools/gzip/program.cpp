#include "program.h"

#include <new>

#include "file.h"
#include "names.h"
#include "options.h"
#include "report.h"
#include "session.h"

namespace gz {
namespace {

int print(const std::string& program, const std::string& text) {
  try {
    fs::StandardOutput().write_all(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return 0;
  } catch (const WriteError& e) {
    fs::write_error_text(program + ": stdout: " + std::string(e.what()) + "\n");
    return 1;
  }
}

}  // namespace

std::string program_name(const std::string& path) {
  std::string name(names::base_name(path));
  if (name.size() > 4) {
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".exe") name.resize(name.size() - 4);
  }
  return name.empty() ? "gzip" : name;
}

int run_program(const std::vector<std::string>& arguments, const Environment& environment) {
  const std::string program = program_name(arguments.empty() ? std::string("gzip") : arguments.front());
  const std::vector<std::string> rest(arguments.empty() ? arguments.end() : arguments.begin() + 1, arguments.end());
  const CommandLine command_line =
      parse_command_line(program, rest, environment.gzip_options, environment.posixly_correct);
  if (!command_line.diagnostics.empty()) fs::write_error_text(command_line.diagnostics);
  switch (command_line.outcome) {
    case CommandLine::Outcome::Help: return print(program, help_text(program));
    case CommandLine::Outcome::Version: return print(program, version_text());
    case CommandLine::Outcome::Fail: return 1;
    case CommandLine::Outcome::Run: break;
  }

  Reporter reporter(program, command_line.options.quiet);
  try {
    Session(command_line.options, reporter).run();
  } catch (const EndRun& end) {
    return end.status;
  } catch (const std::bad_alloc&) {
    reporter.error("\n" + program + ": memory_exhausted\n");
    return 1;
  }
  return reporter.exit_status();
}

}  // namespace gz
