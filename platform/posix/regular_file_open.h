#pragma once
#include <sys/stat.h>

#include <string>

#include "base/posix/unique_fd.h"

namespace stavrel::posix {

// Opens a file to read from (links followed), and only a regular file:
// a folder, a pipe, a device or a socket is refused, with a reason saying
// what it is, before anything waits on it or reads from it. `info` is then
// the open file's. Errors name `operation` and `path`, the caller's words.
UniqueFd OpenRegularFile(const std::wstring& path, const wchar_t* operation, struct stat& info);

}  // namespace stavrel::posix
