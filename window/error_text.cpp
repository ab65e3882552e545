#include "error_text.h"

#include "command_run.h"
#include "report_words.h"

namespace stavrel::win {

void ReportCurrentException(HWND owner, const std::wstring& what_was_done) noexcept {
  if (owner && !IsWindow(owner)) owner = nullptr;
  try {
    const CommandReport report = DescribeException(std::current_exception(), what_was_done);
    MessageBoxW(owner, MessageText(report).c_str(), MessageTitle(report.severity),
                MB_OK | MB_ICONERROR);
  } catch (...) {
    // Building the text failed too (out of memory): say what is certain.
    MessageBoxW(owner, L"An error occurred, and there was not enough memory to describe it.",
                L"Error", MB_OK | MB_ICONERROR);
  }
}

}  // namespace stavrel::win
