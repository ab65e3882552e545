#include "posix_rename.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/posix/posix_error.h"
#include "path_conversion.h"

namespace stavrel::posix {
namespace {

[[noreturn]] void ThrowRenameError(int error, const std::string& source, const std::wstring& from,
                                   const std::wstring& to) {
  // One errno for two paths: only a missing source is blamed on the source.
  struct stat info {};
  const bool source_missing = MeansNoSuchFile(error) && lstat(source.c_str(), &info) != 0;
  throw ErrnoError(L"rename", source_missing ? from : to, error);
}

// For file systems without RENAME_NOREPLACE: link() refuses an existing
// target just as atomically; then the old name goes.
void RenameByLink(const std::string& source, const std::string& target, const std::wstring& from,
                  const std::wstring& to) {
  if (link(source.c_str(), target.c_str()) != 0) ThrowRenameError(errno, source, from, to);
  if (unlink(source.c_str()) != 0) {
    const int error = errno;
    unlink(target.c_str());
    throw ErrnoError(L"rename", from, error);
  }
}

}  // namespace

void RenamePosixFile(const std::wstring& from, const std::wstring& to, bool replace) {
  const std::string source = ToPosixPath(from);
  const std::string target = ToPosixPath(to);
  if (replace) {
    if (rename(source.c_str(), target.c_str()) != 0) ThrowRenameError(errno, source, from, to);
    return;
  }
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return;
  const int error = errno;
  if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
    RenameByLink(source, target, from, to);
    return;
  }
  ThrowRenameError(error, source, from, to);
}

}  // namespace stavrel::posix
