#include "path_conversion.h"

#include <algorithm>

#include "base/utf.h"

namespace stavrel::posix {

std::string ToPosixPath(const std::wstring& path) {
  std::string bytes = WideToUtf8(path);
  std::replace(bytes.begin(), bytes.end(), '\\', '/');
  return bytes;
}

std::wstring FromPosixPath(const std::string& path) {
  std::wstring text = Utf8ToWide(path);
  std::replace(text.begin(), text.end(), L'/', L'\\');
  return text;
}

}  // namespace stavrel::posix
