#include "win32_error.h"

#include <memory>

namespace stavrel::win32 {
namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t* text) const noexcept { LocalFree(text); }
};

}  // namespace

ErrorKind KindOfError(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ErrorKind::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return ErrorKind::AlreadyExists;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return ErrorKind::AccessDenied;
    default:
      return ErrorKind::Other;
  }
}

bool MeansNoSuchFile(DWORD code) {
  // A name no file can have (wildcards, a file used as a folder) names no file.
  return KindOfError(code) == ErrorKind::NotFound || code == ERROR_INVALID_NAME ||
         code == ERROR_DIRECTORY;
}

std::wstring ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(buffer);
  if (length == 0) return L"Windows error " + std::to_wstring(code);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return text;
}

SystemError Win32Error(const wchar_t* operation, const std::wstring& path, DWORD code) {
  return SystemError(operation, path, ErrorText(code), KindOfError(code));
}

SystemError LastError(const wchar_t* operation, const std::wstring& path) {
  const DWORD code = GetLastError();
  return Win32Error(operation, path, code);
}

}  // namespace stavrel::win32
