#include "report_line.h"

#include "console_text.h"

namespace stavrel::cli {
namespace {

// gzip's words come in lines.
std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  for (wchar_t c : text) {
    if (c == L'\r') continue;
    if (c == L'\n') {
      if (!line.empty() && line.back() != L' ') line += L' ';
      continue;
    }
    line += c;
  }
  while (!line.empty() && line.back() == L' ') line.pop_back();
  return line;
}

std::wstring WithoutFinalStop(std::wstring text) {
  if (!text.empty() && text.back() == L'.') text.pop_back();
  return text;
}

// What became of the files, gzip's words and what stays behind, as one run
// of sentences.
std::wstring OutcomeWords(const CommandReport& report) {
  std::wstring words;
  const auto add = [&](const std::wstring& text) { words += (words.empty() ? L"" : L" ") + text; };
  for (const std::wstring& sentence : report.outcome) add(sentence);
  if (!report.gzip_said.empty()) add(L"gzip.exe said: " + OneLine(report.gzip_said));
  for (const std::wstring& sentence : report.left_behind) add(sentence);
  return words;
}

}  // namespace

std::wstring ReportLine(const CommandReport& report, const std::wstring& file_at_hand,
                        const std::map<std::wstring, std::wstring>& typed_names) {
  std::wstring file = report.file.empty() ? file_at_hand : report.file;
  if (const auto typed = typed_names.find(file); typed != typed_names.end()) file = typed->second;

  std::wstring line = std::wstring(kProgramName) + L": " + ForDisplay(file) + L": ";
  if (report.severity == Severity::Warning) line += L"warning: ";
  line += ForDisplay(WithoutFinalStop(OneLine(report.summary)));
  if (const std::wstring reason = OneLine(report.reason); !reason.empty())
    line += L": " + ForDisplay(WithoutFinalStop(reason));
  if (const std::wstring outcome = OutcomeWords(report); !outcome.empty())
    line += L". " + ForDisplay(outcome);
  return line;
}

}  // namespace stavrel::cli
