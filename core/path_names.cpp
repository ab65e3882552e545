#include "path_names.h"

namespace stavrel {

std::wstring RootDir(const std::wstring& path) {
  const auto last = path.rfind(L'\\');
  return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

std::wstring TrimDir(const std::wstring& path) {
  const auto last = path.rfind(L'\\');
  return last == std::wstring::npos ? std::wstring() : path.substr(last + 1);
}

std::wstring TrimExt(const std::wstring& path) {
  if (path.size() < 3) throw PathTooShort(path);
  return path.substr(0, path.size() - 3);
}

}  // namespace stavrel
