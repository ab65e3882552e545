#include "program_location.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "base/utf.h"

namespace stavrel::ui {
namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

}  // namespace

std::wstring ProgramFolder() {
  if (const wchar_t* chosen = _wgetenv(L"STAVREL_PROGRAM_FOLDER"); chosen != nullptr && *chosen != L'\0')
    return WithoutTrailingSeparator(chosen);
  // The build folder is a path on the build machine; under Wine its "/" is
  // drive Z:.
  std::wstring built = Utf8ToWide(STAVREL_UI_BUILT_PROGRAM_FOLDER);
  if (!built.empty() && built.front() == L'/') built = L"Z:" + built;
  std::replace(built.begin(), built.end(), L'/', L'\\');
  return WithoutTrailingSeparator(built);
}

std::wstring StavrelExePath() { return ProgramFolder() + L"\\stavrel.exe"; }

}  // namespace stavrel::ui
