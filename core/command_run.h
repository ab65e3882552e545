#pragma once
// The boundary every command runs in, whichever front end started it: its
// commands are disabled while it runs, a second one is refused meanwhile,
// and whatever goes wrong becomes one report, never an escaped exception.
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/system_error.h"
#include "command_report.h"
#include "host.h"

namespace stavrel {

// The user stopped the command, and it left everything as it was: nothing
// to report.
class CommandStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "stavrel::CommandStopped"; }
};

// A report of a failed file or process operation: the system's reason, or
// "unknown" when it gave none.
// `outcome` is one sentence, or empty.
CommandReport SystemFailure(std::wstring summary, const SystemError& error, std::wstring outcome);

// The one place where an exception becomes words. A CommandFailure keeps its
// own report; anything else is summed up under `what_failed`.
CommandReport DescribeException(std::exception_ptr error, const std::wstring& what_failed);

// Whether a command is under way, and what the user asked for meanwhile. A
// command lends the thread to the front end's event pump, so requests can
// arrive in the middle of it.
class CommandGate {
 public:
  enum class WhileRunning { Refuse, Nest };

  bool Running() const noexcept { return depth_ > 0; }
  bool CloseRequested() const noexcept { return close_requested_; }
  bool StopRequested() const noexcept { return stop_requested_ || close_requested_; }
  // The front end is to close once the running command has stopped.
  void RequestClose() noexcept { close_requested_ = true; }
  // The running command is to stop at its next step; the front end stays.
  void RequestStop() noexcept { stop_requested_ = true; }

  // Runs the command in the boundary: refused (returns false) when another
  // is running unless it may nest, as an About box may. A failure that
  // escapes the command is summed up under `what_failed`.
  bool Run(Host& host, WhileRunning while_running, const std::function<void()>& body,
           const std::wstring& what_failed = L"");

 private:
  int depth_ = 0;
  bool close_requested_ = false;
  bool stop_requested_ = false;
};

// A command on its own gate, for callers that run one command at a time.
// The warnings the body returns are shown once its commands are back.
void RunCommand(Host& host, const std::function<std::vector<CommandReport>()>& body);

}  // namespace stavrel
