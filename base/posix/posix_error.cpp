#include "base/posix/posix_error.h"

#include <cerrno>
#include <cstring>

#include "base/utf.h"

namespace stavrel::posix {
namespace {

// strerror_r is the GNU one (returning the text) or the XSI one (filling the
// buffer), depending on the C library; take either.
[[maybe_unused]] const char* PickText(int result, const char* buffer) {
  return result == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char* PickText(const char* result, const char*) { return result; }

}  // namespace

ErrorKind KindOfError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ErrorKind::NotFound;
    case EEXIST: return ErrorKind::AlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    // Windows refuses to open or delete a folder as a file with "access denied".
    case EISDIR: return ErrorKind::AccessDenied;
    default: return ErrorKind::Other;
  }
}

bool MeansNoSuchFile(int error) {
  return KindOfError(error) == ErrorKind::NotFound || error == ENAMETOOLONG;
}

std::wstring ErrorText(int error) {
  char buffer[256] = {};
  const char* text = PickText(strerror_r(error, buffer, sizeof buffer), buffer);
  if (text == nullptr) return L"error " + std::to_wstring(error);
  return Utf8ToWide(text);
}

SystemError ErrnoError(const wchar_t* operation, const std::wstring& path, int error) {
  return SystemError(operation, path, ErrorText(error), KindOfError(error));
}

SystemError LastErrno(const wchar_t* operation, const std::wstring& path) {
  const int error = errno;
  return ErrnoError(operation, path, error);
}

}  // namespace stavrel::posix
