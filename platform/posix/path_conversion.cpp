#include "path_conversion.h"

#include <algorithm>

#include "base/system_error.h"
#include "base/utf.h"

namespace stavrel::posix {

std::string ToPosixPath(const std::wstring& path) {
  std::string bytes = WideToUtf8(path);
  std::replace(bytes.begin(), bytes.end(), '\\', '/');
  return bytes;
}

bool CanBeNamed(std::string_view path) { return path.find('\\') == std::string_view::npos; }

std::wstring FromPosixPath(const std::string& path, const wchar_t* operation) {
  std::wstring text = Utf8ToWide(path);
  if (!CanBeNamed(path)) throw SystemError(operation, text, kBackslashInName);
  std::replace(text.begin(), text.end(), L'/', L'\\');
  return text;
}

}  // namespace stavrel::posix
