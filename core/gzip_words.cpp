#include "gzip_words.h"

#include "path_names.h"

namespace stavrel {
namespace {

const std::wstring kColon = L": ";

bool SameSeparators(wchar_t a, wchar_t b) {
  return a == b || ((a == L'/' || a == L'\\') && (b == L'/' || b == L'\\'));
}

// True when `text` starts with `name` followed by ": ".
bool StartsWithName(const std::wstring& text, const std::wstring& name) {
  if (name.empty() || text.size() < name.size() + kColon.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (!SameSeparators(text[i], name[i])) return false;
  return text.compare(name.size(), kColon.size(), kColon) == 0;
}

// "gzip: <name>: <reason>" gives the reason when <name> is one of `names`.
std::wstring LineWithoutName(const std::wstring& line, const std::vector<std::wstring>& names) {
  const std::size_t program_end = line.find(kColon);
  if (program_end == std::wstring::npos || program_end == 0) return line;
  const std::wstring rest = line.substr(program_end + kColon.size());
  for (const std::wstring& name : names)
    for (const std::wstring& spelling : {name, TrimDir(name)})
      if (StartsWithName(rest, spelling)) return rest.substr(spelling.size() + kColon.size());
  return line;
}

}  // namespace

std::wstring WithoutGivenNames(const std::wstring& said, const std::vector<std::wstring>& names) {
  std::wstring result;
  std::size_t at = 0;
  while (at < said.size()) {
    std::size_t end = said.find(L'\n', at);
    if (end == std::wstring::npos) end = said.size();
    std::wstring line = said.substr(at, end - at);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) result += (result.empty() ? L"" : L"\n") + LineWithoutName(line, names);
    at = end + 1;
  }
  return result;
}

}  // namespace stavrel
