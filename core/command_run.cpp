#include "command_run.h"

#include <new>

#include "base/utf.h"
#include "path_names.h"

namespace stavrel {
namespace {

class CommandsDisabled {
 public:
  explicit CommandsDisabled(Host& host) : host_(host) { host_.SetCommandsEnabled(false); }
  ~CommandsDisabled() { host_.SetCommandsEnabled(true); }
  CommandsDisabled(const CommandsDisabled&) = delete;
  CommandsDisabled& operator=(const CommandsDisabled&) = delete;

 private:
  Host& host_;
};

}  // namespace

CommandReport SystemFailure(std::wstring summary, const SystemError& error, std::wstring outcome) {
  CommandReport report{Severity::Error, std::move(summary), error.Path(),
                       error.Reason().empty() ? L"unknown" : error.Reason()};
  if (!outcome.empty()) report.outcome.push_back(std::move(outcome));
  return report;
}

CommandReport DescribeException(std::exception_ptr error, const std::wstring& what_failed) {
  const std::wstring summary =
      what_failed.empty() ? L"The command stopped on an unexpected failure." : what_failed;
  try {
    std::rethrow_exception(error);
  } catch (const CommandFailure& failure) {
    return failure.Report();
  } catch (const SystemError& failure) {
    return SystemFailure(
        what_failed.empty() ? L"Could not " + failure.Operation() + L" a file." : what_failed,
        failure, L"");
  } catch (const PathTooShort& failure) {
    return {Severity::Error, summary, failure.Path(),
            L"the name is too short to end in an extension"};
  } catch (const std::bad_alloc&) {
    return {Severity::Error, summary, L"", L"Stavrel ran out of memory."};
  } catch (const std::exception& failure) {
    return {Severity::Error, summary, L"", Utf8ToWide(failure.what())};
  } catch (...) {
    return {Severity::Error, summary, L"", L"an unknown failure"};
  }
}

bool CommandGate::Run(Host& host, WhileRunning while_running, const std::function<void()>& body,
                      const std::wstring& what_failed) {
  // Commands are disabled while one runs, but a click already queued, or an
  // access key, can still arrive through the event pump.
  if (Running() && while_running == WhileRunning::Refuse) return false;
  std::exception_ptr failure;
  {
    ++depth_;
    CommandsDisabled disabled(host);
    try {
      body();
    } catch (const CommandStopped&) {
      // The user asked for it and nothing is left over: nothing to say.
    } catch (...) {
      failure = std::current_exception();
    }
    if (--depth_ == 0) stop_requested_ = false;
  }
  // The buttons are back before the user reads the message.
  if (failure) host.Messages().Show(DescribeException(failure, what_failed));
  return true;
}

void RunCommand(Host& host, const std::function<std::vector<CommandReport>()>& body) {
  std::vector<CommandReport> warnings;
  CommandGate gate;
  gate.Run(host, CommandGate::WhileRunning::Refuse, [&] { warnings = body(); });
  for (const CommandReport& warning : warnings) host.Messages().Show(warning);
}

}  // namespace stavrel
