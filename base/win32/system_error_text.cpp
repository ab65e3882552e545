#include "base/win32/system_error_text.h"

#include "base/win32/scoped_handles.h"

namespace stavrel::win32 {

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const LocalMemory owned(buffer);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"Windows error " + std::to_wstring(code);
  return text;
}

// A full disk stays Other: nothing the program does depends on telling it
// apart, and the system's text already says what happened.
ErrorKind KindOfError(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ErrorKind::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return ErrorKind::AlreadyExists;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return ErrorKind::AccessDenied;
    default: return ErrorKind::Other;
  }
}

bool MeansNoSuchFile(DWORD code) {
  // A name no file can have (wildcards, a file used as a folder) names no file.
  return KindOfError(code) == ErrorKind::NotFound || code == ERROR_INVALID_NAME ||
         code == ERROR_DIRECTORY;
}

SystemError Win32Error(const std::wstring& operation, const std::wstring& path, DWORD code) {
  return SystemError(operation, path, SystemErrorText(code), KindOfError(code));
}

SystemError LastError(const std::wstring& operation, const std::wstring& path) {
  const DWORD code = GetLastError();
  return Win32Error(operation, path, code);
}

void ThrowLastError(const std::wstring& operation, const std::wstring& path) {
  const DWORD code = GetLastError();
  throw Win32Error(operation, path, code);
}

}  // namespace stavrel::win32
