#include "command_report.h"

namespace stavrel {

std::wstring MessageText(const CommandReport& report) {
  std::wstring text = report.summary;
  if (!report.file.empty()) text += L"\r\n\r\nFile: " + report.file;
  if (!report.reason.empty()) text += (report.file.empty() ? L"\r\n\r\nReason: " : L"\r\nReason: ") + report.reason;
  if (!report.outcome.empty()) text += L"\r\n\r\n" + report.outcome;
  return text;
}

const wchar_t* MessageTitle(Severity severity) {
  return severity == Severity::Warning ? L"Warning" : L"Error";
}

MessageIcon MessageIconOf(Severity severity) {
  return severity == Severity::Warning ? MessageIcon::Warning : MessageIcon::Critical;
}

}  // namespace stavrel
