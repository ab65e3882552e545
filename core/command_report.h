#pragma once
// What a command has to tell the user, as facts rather than finished text:
// each front end words it its own way (a message box, a line on stderr).
#include <exception>
#include <string>
#include <vector>

namespace stavrel {

enum class Severity {
  Error,    // the command did not do its work
  Warning,  // it did, and has something to say about it
};

// Why a command was refused before it started, where a front end may have
// its own advice to add.
enum class Refusal {
  None,
  FileInTheWay,       // the name to write to is taken, and replacing was not asked for
  AlreadyCompressed,  // the file to compress is gzip data already
};

struct CommandReport {
  Severity severity = Severity::Error;
  std::wstring summary{};  // what failed, or what was done, in one sentence
  std::wstring file{};     // the file it concerns; empty when none does
  std::wstring reason{};   // the system's or gzip.exe's own words; may be empty
  // What became of the user's files, sentence by sentence.
  std::vector<std::wstring> outcome{};
  // gzip.exe's own words, when they are not already the reason.
  std::wstring gzip_said{};
  // Files the command could not clean up, or that now hold the user's data.
  std::vector<std::wstring> left_behind{};
  Refusal refusal = Refusal::None;
};

// Where a command's reports go.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Modal in the window: returns once the user has read it.
  virtual void Show(const CommandReport& report) = 0;
};

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
