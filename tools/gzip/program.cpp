#include "program.h"

#include <new>

#include "file.h"
#include "names.h"
#include "options.h"
#include "report.h"
#include "session.h"

namespace gz {
namespace {

int Print(const std::string& program, const std::string& text) {
  try {
    fs::StandardOutput().WriteAll(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return 0;
  } catch (const WriteError& e) {
    fs::WriteErrorText(program + ": stdout: " + std::string(e.what()) + "\n");
    return 1;
  } catch (const OutputClosed&) {
    return kOutputClosedStatus;
  }
}

}  // namespace

std::string ProgramName(const std::string& path) {
  std::string name(names::BaseName(path));
  if (name.size() > 4) {
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".exe") name.resize(name.size() - 4);
  }
  return name.empty() ? "gzip" : name;
}

int RunProgram(const std::vector<std::string>& arguments, const Environment& environment) {
  const std::string program = ProgramName(arguments.empty() ? std::string("gzip") : arguments.front());
  const std::vector<std::string> rest(arguments.empty() ? arguments.end() : arguments.begin() + 1, arguments.end());
  const CommandLine command_line =
      ParseCommandLine(program, rest, environment.gzip_options, environment.posixly_correct);
  if (!command_line.diagnostics.empty()) fs::WriteErrorText(command_line.diagnostics);
  switch (command_line.outcome) {
    case CommandLine::Outcome::Help: return Print(program, HelpText(program));
    case CommandLine::Outcome::Version: return Print(program, VersionText());
    case CommandLine::Outcome::Fail: return 1;
    case CommandLine::Outcome::Run: break;
  }

  Reporter reporter(program, command_line.options.quiet);
  try {
    Session(command_line.options, reporter).Run();
  } catch (const EndRun& end) {
    return end.status;
  } catch (const OutputClosed&) {
    return kOutputClosedStatus;
  } catch (const std::bad_alloc&) {
    reporter.Error("\n" + program + ": memory_exhausted\n");
    return 1;
  }
  return reporter.ExitStatus();
}

}  // namespace gz
