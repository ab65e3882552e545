#include "command_run.h"

#include <new>

namespace stavrel {
namespace {

const wchar_t kErrorTitle[] = L"Error";

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

std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

}  // namespace

std::wstring DescribeFailure(const std::wstring& what_failed, const SystemError& error,
                             const std::wstring& outcome) {
  std::wstring text = what_failed + L"\r\n\r\nFile: " + error.Path() + L"\r\nReason: " +
                      (error.Reason().empty() ? L"unknown" : error.Reason());
  if (!outcome.empty()) text += L"\r\n\r\n" + outcome;
  return text;
}

void ShowError(WindowOperations& window, const std::wstring& message) {
  window.ShowMessage(message, kErrorTitle, MessageIcon::Critical);
}

void RunCommand(WindowOperations& window, const std::function<void()>& body) {
  std::wstring message;
  bool warning = false;
  {
    CommandsDisabled disabled(window);
    try {
      body();
    } catch (const CommandWarning& notice) {
      message = notice.Message();
      warning = true;
    } catch (const CommandFailure& failure) {
      message = failure.Message();
    } catch (const SystemError& error) {
      message = DescribeFailure(L"Could not " + error.Operation() + L" a file.", error, L"");
    } catch (const std::bad_alloc&) {
      message = L"Stavrel ran out of memory; the command was stopped.";
    } catch (const std::exception& error) {
      message = L"The command stopped on an unexpected failure: " + Widen(error.what());
    }
  }
  // The buttons are back before the user reads the message.
  if (message.empty()) return;
  if (warning)
    window.ShowMessage(message, L"Warning", MessageIcon::Warning);
  else
    ShowError(window, message);
}

}  // namespace stavrel
