// The console natively: UTF-8 everywhere, paths shown with "/".
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "base/utf.h"
#include "cli/console_text.h"
#include "platform/posix/path_conversion.h"

namespace stavrel::cli {
namespace fs = std::filesystem;

std::wstring FullPathFromArgument(const std::string& argument) {
  // The current folder stays for the whole run: asked for once, not for
  // every file of a batch.
  static const fs::path current_folder = fs::current_path();
  // Only "." steps and doubled "/" go. A ".." stays for the system to follow:
  // after a link it leads to the folder above the link's target, not back
  // to the folder holding the link.
  const fs::path given(argument);
  // An empty name is refused as fs::absolute refuses it.
  const std::string full = (given.empty() ? fs::absolute(given) : current_folder / given).string();
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

bool IsUnmatchedPattern(const std::string&) { return false; }

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
