#include "program_location.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace stavrel::ui {
namespace {

std::wstring FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

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
  std::wstring built = FromUtf8(STAVREL_UI_BUILT_PROGRAM_FOLDER);
  if (!built.empty() && built.front() == L'/') built = L"Z:" + built;
  std::replace(built.begin(), built.end(), L'/', L'\\');
  return WithoutTrailingSeparator(built);
}

std::wstring StavrelExePath() { return ProgramFolder() + L"\\stavrel.exe"; }

}  // namespace stavrel::ui
