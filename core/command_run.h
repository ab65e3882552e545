#pragma once
// The frame every command runs in: its buttons are disabled while it runs,
// and whatever goes wrong ends in one "Error" message box, never escapes.
#include <functional>
#include <string>

#include "system_error.h"
#include "window_operations.h"

namespace stavrel {

// A failure the command has already put into words for the user.
class CommandFailure : public std::exception {
 public:
  explicit CommandFailure(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return "stavrel::CommandFailure"; }

 private:
  std::wstring message_;
};

// A command that did its work but has something to tell: shown as a warning.
class CommandWarning : public std::exception {
 public:
  explicit CommandWarning(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return "stavrel::CommandWarning"; }

 private:
  std::wstring message_;
};

// "<what failed>\n\nFile: <path>\nReason: <reason>" followed by what became
// of the user's files, when there is something to say about them.
std::wstring DescribeFailure(const std::wstring& what_failed, const SystemError& error,
                             const std::wstring& outcome);

void ShowError(WindowOperations& window, const std::wstring& message);

// Runs body with the commands disabled; any exception it throws is shown.
void RunCommand(WindowOperations& window, const std::function<void()>& body);

}  // namespace stavrel
