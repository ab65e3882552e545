#include "regular_file_open.h"

#include <fcntl.h>

#include <cerrno>

#include "base/posix/posix_error.h"
#include "path_conversion.h"

namespace stavrel::posix {
namespace {

// What the user is told a non-file is; empty for a regular file.
const wchar_t* WhatItIs(mode_t mode) {
  if (S_ISREG(mode)) return L"";
  if (S_ISFIFO(mode)) return L"It is a named pipe (FIFO), not a regular file.";
  if (S_ISCHR(mode)) return L"It is a character device, not a regular file.";
  if (S_ISBLK(mode)) return L"It is a block device, not a regular file.";
  if (S_ISSOCK(mode)) return L"It is a socket, not a regular file.";
  return L"It is not a regular file.";
}

void RefuseUnlessRegular(const struct stat& info, const wchar_t* operation,
                         const std::wstring& path) {
  // A folder gets the system's own words, as it does everywhere else.
  if (S_ISDIR(info.st_mode)) throw ErrnoError(operation, path, EISDIR);
  if (const wchar_t* what = WhatItIs(info.st_mode); *what) throw SystemError(operation, path, what);
}

}  // namespace

UniqueFd OpenRegularFile(const std::wstring& path, const wchar_t* operation, struct stat& info) {
  const std::string native = ToPosixPath(path);
  // Opening a pipe waits for a writer, and opening a device may do things
  // of its own: look before opening.
  if (stat(native.c_str(), &info) != 0) throw LastErrno(operation, path);
  RefuseUnlessRegular(info, operation, path);
  // The name may change hands between the look and the open: O_NONBLOCK keeps
  // a pipe swapped in meanwhile from blocking the open, and the open file is
  // looked at again.
  UniqueFd fd(open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) throw LastErrno(operation, path);
  if (fstat(fd.Get(), &info) != 0) throw LastErrno(operation, path);
  RefuseUnlessRegular(info, operation, path);
  // Reads from a regular file then wait as reads always do. O_NONBLOCK is
  // the only flag opened with that F_SETFL changes: no need to ask first.
  if (fcntl(fd.Get(), F_SETFL, 0) != 0) throw LastErrno(operation, path);
  return fd;
}

}  // namespace stavrel::posix
