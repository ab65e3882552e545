#include "command_run.h"

#include <new>

#include "path_names.h"

namespace stavrel {
namespace {

class CommandsDisabled {
 public:
  explicit CommandsDisabled(WindowOperations& window) : window_(window) {
    window_.SetCommandsEnabled(false);
  }
  ~CommandsDisabled() { window_.SetCommandsEnabled(true); }
  CommandsDisabled(const CommandsDisabled&) = delete;
  CommandsDisabled& operator=(const CommandsDisabled&) = delete;

 private:
  WindowOperations& window_;
};

// Standard library messages are ASCII.
std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

}  // namespace

CommandReport SystemFailure(std::wstring summary, const SystemError& error, std::wstring outcome) {
  return {Severity::Error, std::move(summary), error.Path(),
          error.Reason().empty() ? L"unknown" : error.Reason(), std::move(outcome)};
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
            L"the name is too short to end in an extension", L""};
  } catch (const std::bad_alloc&) {
    return {Severity::Error, summary, L"", L"Stavrel ran out of memory.", L""};
  } catch (const std::exception& failure) {
    return {Severity::Error, summary, L"", Widen(failure.what()), L""};
  } catch (...) {
    return {Severity::Error, summary, L"", L"an unknown failure", L""};
  }
}

bool CommandGate::Run(WindowOperations& window, WhileRunning while_running,
                      const std::function<void()>& body, const std::wstring& what_failed) {
  // Commands are disabled while one runs, but a click already queued, or an
  // access key, can still arrive through the event pump.
  if (Running() && while_running == WhileRunning::Refuse) return false;
  std::exception_ptr failure;
  {
    ++depth_;
    CommandsDisabled disabled(window);
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
  if (failure) window.Messages().Show(DescribeException(failure, what_failed));
  return true;
}

void RunCommand(WindowOperations& window, const std::function<void()>& body) {
  CommandGate gate;
  gate.Run(window, CommandGate::WhileRunning::Refuse, body);
}

}  // namespace stavrel
