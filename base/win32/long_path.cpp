#include "base/win32/long_path.h"

#include <windows.h>

#include <string_view>

namespace stavrel::win32 {
namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.starts_with(prefix);
}

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  // MAX_PATH is the limit the file calls themselves enforce on a plain path,
  // so every path they would take as given stays as given, and device names
  // and relative paths keep their usual meaning. (CreateDirectoryW stops
  // twelve characters earlier, but the program creates no folders.)
  if (path.size() < MAX_PATH || StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) {
    return path;
  }
  // The prefix switches off all normalisation, so resolve "." and ".." and
  // "/" first.
  std::wstring full(path.size() + 1, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    // The call that uses this path reports the failure with its own reason.
    if (length == 0) return path;
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length);
  }
  if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) return full;
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace stavrel::win32
