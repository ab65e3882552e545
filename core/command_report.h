#pragma once
// What a command has to tell the user, as facts rather than finished text:
// each front end words it its own way (a message box, a line on stderr).
#include <exception>
#include <string>

namespace stavrel {

enum class Severity {
  Error,    // the command did not do its work
  Warning,  // it did, and has something to say about it
};

struct CommandReport {
  Severity severity = Severity::Error;
  std::wstring summary;  // what failed, or what was done, in one sentence
  std::wstring file;     // the file it concerns; empty when none does
  std::wstring reason;   // the system's or gzip.exe's own words; may be empty
  std::wstring outcome;  // what became of the user's files; may be empty
};

// Where a command's reports go.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Modal in the window: returns once the user has read it.
  virtual void Show(const CommandReport& report) = 0;
};

enum class MessageIcon { Critical, Warning, Information };

// The message box's text, title and icon for a report.
std::wstring MessageText(const CommandReport& report);
const wchar_t* MessageTitle(Severity severity);
MessageIcon MessageIconOf(Severity severity);

// A failure the command has put into facts; the runner shows it.
class CommandFailure : public std::exception {
 public:
  explicit CommandFailure(CommandReport report) : report_(std::move(report)) {}
  const CommandReport& Report() const noexcept { return report_; }
  CommandReport& Report() noexcept { return report_; }
  const char* what() const noexcept override { return "stavrel::CommandFailure"; }

 private:
  CommandReport report_;
};

}  // namespace stavrel
