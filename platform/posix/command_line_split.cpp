#include "command_line_split.h"

namespace stavrel::posix {
namespace {

bool IsBlank(wchar_t character) { return character == L' ' || character == L'\t'; }

// The program name knows no escapes: it runs to the closing quote, or to the
// first blank when it is not quoted.
std::wstring TakeProgramName(const std::wstring& line, std::size_t& at) {
  std::wstring name;
  if (line[at] == L'"') {
    const std::size_t close = line.find(L'"', at + 1);
    const std::size_t end = close == std::wstring::npos ? line.size() : close;
    name = line.substr(at + 1, end - at - 1);
    at = close == std::wstring::npos ? line.size() : close + 1;
  } else {
    while (at < line.size() && !IsBlank(line[at])) name += line[at++];
  }
  return name;
}

// One argument: 2n backslashes before a quote give n backslashes and the
// quote opens or closes a quoted part; 2n+1 give n backslashes and a literal
// quote; backslashes elsewhere are plain. Runs of quotes count in threes,
// the quote that started the quoted part included: every third is a literal
// quote.
std::wstring TakeArgument(const std::wstring& line, std::size_t& at) {
  std::wstring argument;
  int quotes = 0;  // 0: outside quotes; 1: inside; 2: just closed by a second quote
  std::size_t backslashes = 0;
  while (at < line.size()) {
    const wchar_t character = line[at];
    if (IsBlank(character) && quotes == 0) break;
    ++at;
    if (character == L'\\') {
      argument += character;
      ++backslashes;
      continue;
    }
    if (character != L'"') {
      argument += character;
      backslashes = 0;
      continue;
    }
    if (backslashes % 2 == 0) {
      argument.resize(argument.size() - backslashes / 2);
      ++quotes;
    } else {
      argument.resize(argument.size() - backslashes / 2 - 1);
      argument += L'"';
    }
    backslashes = 0;
    while (at < line.size() && line[at] == L'"') {
      ++at;
      if (++quotes == 3) {
        argument += L'"';
        quotes = 0;
      }
    }
    if (quotes == 2) quotes = 0;
  }
  return argument;
}

void SkipBlanks(const std::wstring& line, std::size_t& at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& command_line) {
  std::vector<std::wstring> arguments;
  std::size_t at = 0;
  if (command_line.empty()) return arguments;
  arguments.push_back(TakeProgramName(command_line, at));
  for (;;) {
    SkipBlanks(command_line, at);
    if (at >= command_line.size()) break;
    arguments.push_back(TakeArgument(command_line, at));
  }
  return arguments;
}

}  // namespace stavrel::posix
