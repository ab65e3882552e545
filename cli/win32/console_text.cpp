// The console on Windows: UTF-16 to a console window, UTF-8 to anything else.
#include <windows.h>
#include <io.h>

#include <filesystem>

#include "base/utf.h"
#include "cli/console_text.h"

namespace stavrel::cli {
namespace fs = std::filesystem;
namespace {

// The console's own handle when the stream is a console, else nothing.
HANDLE ConsoleOf(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

std::wstring FullPathFromArgument(const std::string& argument) {
  // The core splits paths at "\" only, and long paths ("\\?\") take no
  // "." or "..": "dir/./game.003" must reach it as "C:\...\dir\game.003".
  return fs::absolute(fs::path(Utf8ToWide(argument))).lexically_normal().make_preferred().wstring();
}

bool IsUnmatchedPattern(const std::string& argument) {
  return argument.find_first_of("*?") != std::string::npos;
}

bool IsFolder(const std::string& argument) {
  std::error_code error;
  return fs::is_directory(fs::path(Utf8ToWide(argument)), error);
}

std::wstring ForDisplay(const std::wstring& text) { return text; }

void WriteText(std::FILE* stream, const std::wstring& text) {
  if (HANDLE console = ConsoleOf(stream)) {
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = WideToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool IsTerminal(std::FILE* stream) { return ConsoleOf(stream) != nullptr; }

}  // namespace stavrel::cli
