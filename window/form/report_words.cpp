#include "report_words.h"

namespace stavrel {
namespace {

// What became of the files, then gzip.exe's words, then what stays behind:
// one paragraph, a line a sentence.
std::wstring OutcomeParagraph(const CommandReport& report) {
  std::wstring text;
  const auto add_line = [&](const std::wstring& line) {
    text += (text.empty() ? L"" : L"\r\n") + line;
  };
  for (const std::wstring& sentence : report.outcome) add_line(sentence);
  if (!report.gzip_said.empty())
    text += (text.empty() ? L"" : L"\r\n\r\n") + (L"gzip.exe said:\r\n" + report.gzip_said);
  for (const std::wstring& sentence : report.left_behind) add_line(sentence);
  return text;
}

}  // namespace

std::wstring MessageText(const CommandReport& report) {
  std::wstring text = report.summary;
  if (!report.file.empty()) text += L"\r\n\r\nFile: " + report.file;
  if (!report.reason.empty())
    text += (report.file.empty() ? L"\r\n\r\nReason: " : L"\r\nReason: ") + report.reason;
  if (const std::wstring outcome = OutcomeParagraph(report); !outcome.empty())
    text += L"\r\n\r\n" + outcome;
  return text;
}

const wchar_t* MessageTitle(Severity severity) {
  return severity == Severity::Warning ? L"Warning" : L"Error";
}

MessageIcon MessageIconOf(Severity severity) {
  return severity == Severity::Warning ? MessageIcon::Warning : MessageIcon::Critical;
}

}  // namespace stavrel
