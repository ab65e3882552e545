#include "console_text.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "escaped_text.h"

#ifdef _WIN32
#include <windows.h>
#include <io.h>

#include "win32/utf.h"
#else
#include <unistd.h>

#include "path_conversion.h"
#include "text_conversion.h"
#endif

namespace stavrel::cli {
namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

// The console's own handle when the stream is a console, else nothing.
HANDLE ConsoleOf(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

std::string ArgumentFromWide(const wchar_t* argument) { return win32::ToUtf8(argument); }

std::wstring TextFromArgument(const std::string& argument) { return win32::ToUtf16(argument); }

std::wstring FullPathFromArgument(const std::string& argument) {
  // The core splits paths at "\" only, and long paths ("\\?\") take no
  // "." or "..": "dir/./game.003" must reach it as "C:\...\dir\game.003".
  return fs::absolute(fs::path(win32::ToUtf16(argument))).lexically_normal().make_preferred().wstring();
}

bool IsFolder(const std::string& argument) {
  std::error_code error;
  return fs::is_directory(fs::path(win32::ToUtf16(argument)), error);
}

std::wstring ForDisplay(const std::wstring& text) { return text; }

void WriteText(std::FILE* stream, const std::wstring& text) {
  if (HANDLE console = ConsoleOf(stream)) {
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = win32::ToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool IsTerminal(std::FILE* stream) { return ConsoleOf(stream) != nullptr; }

#else

std::wstring TextFromArgument(const std::string& argument) { return posix::Utf8ToWide(argument); }

std::wstring FullPathFromArgument(const std::string& argument) {
  // Only "." steps and doubled "/" go. A ".." stays for the system to follow:
  // after a link it leads to the folder above the link's target, not back
  // to the folder holding the link.
  const std::string full = fs::absolute(fs::path(argument)).string();
  std::string kept;
  for (std::size_t at = 0; at < full.size();) {
    const std::size_t end = std::min(full.find('/', at), full.size());
    const std::string_view step(full.data() + at, end - at);
    if (!step.empty() && step != ".") kept += "/" + std::string(step);
    at = end + 1;
  }
  if (kept.empty() || full.ends_with('/')) kept += '/';
  return posix::FromPosixPath(kept);
}

bool IsFolder(const std::string& argument) {
  std::error_code error;
  return fs::is_directory(fs::path(argument), error);
}

std::wstring ForDisplay(const std::wstring& text) {
  std::wstring shown = text;
  std::replace(shown.begin(), shown.end(), L'\\', L'/');
  return shown;
}

void WriteText(std::FILE* stream, const std::wstring& text) {
  const std::string bytes = posix::WideToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

#endif

void WriteLine(std::FILE* stream, const std::wstring& line) {
  WriteText(stream, Escaped(line) + L"\n");
  std::fflush(stream);
}

}  // namespace stavrel::cli
