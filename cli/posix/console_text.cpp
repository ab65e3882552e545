// The console natively: UTF-8 everywhere, paths shown with "/".
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "base/utf.h"
#include "cli/console_text.h"
#include "platform/posix/path_conversion.h"

namespace stavrel::cli {
namespace fs = std::filesystem;

std::wstring FullPathFromArgument(const std::string& argument) {
  return posix::FromPosixPath(fs::absolute(fs::path(argument)).lexically_normal().string());
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
  const std::string bytes = WideToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

}  // namespace stavrel::cli
