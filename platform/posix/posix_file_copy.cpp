#include "posix_file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/posix/posix_error.h"
#include "base/posix/unique_fd.h"
#include "path_conversion.h"

namespace stavrel::posix {
namespace {

constexpr std::size_t kChunk = 1u << 20;

// Removes the half-written target unless the copy got to the end.
class TargetCleanup {
 public:
  explicit TargetCleanup(std::string path) : path_(std::move(path)) {}
  TargetCleanup(const TargetCleanup&) = delete;
  TargetCleanup& operator=(const TargetCleanup&) = delete;
  ~TargetCleanup() {
    if (!finished_) unlink(path_.c_str());
  }
  void Finished() { finished_ = true; }

 private:
  std::string path_;
  bool finished_ = false;
};

bool IsWriteSideError(int error) {
  return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS;
}

void CopyByReadAndWrite(int source, int target, const std::wstring& from, const std::wstring& to) {
  std::vector<char> buffer(kChunk);
  for (;;) {
    const ssize_t got = read(source, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      throw LastErrno(L"copy", from);
    }
    if (got == 0) return;
    for (ssize_t done = 0; done < got;) {
      const ssize_t written =
          write(target, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (written < 0) {
        if (errno == EINTR) continue;
        throw LastErrno(L"copy", to);
      }
      if (written == 0) throw ErrnoError(L"copy", to, EIO);
      done += written;
    }
  }
}

void CopyContents(int source, int target, const std::wstring& from, const std::wstring& to) {
  for (;;) {
    const ssize_t copied = copy_file_range(source, nullptr, target, nullptr, kChunk * 64, 0);
    if (copied > 0) continue;
    if (copied == 0) return;
    const int error = errno;
    if (error == EINTR) continue;
    // Not offered between these two files (another file system, an old
    // kernel): both file offsets are where they were, so carry on by hand.
    if (error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP) {
      CopyByReadAndWrite(source, target, from, to);
      return;
    }
    throw ErrnoError(L"copy", IsWriteSideError(error) ? to : from, error);
  }
}

}  // namespace

void CopyPosixFile(const std::wstring& from, const std::wstring& to, bool replace) {
  UniqueFd source(open(ToPosixPath(from).c_str(), O_RDONLY | O_CLOEXEC));
  if (!source.Valid()) throw LastErrno(L"copy", from);
  struct stat source_info {};
  if (fstat(source.Get(), &source_info) != 0) throw LastErrno(L"copy", from);
  if (S_ISDIR(source_info.st_mode)) throw ErrnoError(L"copy", from, EISDIR);

  // No O_TRUNC yet: the target could be the source under another name.
  const std::string target_path = ToPosixPath(to);
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (replace ? 0 : O_EXCL);
  UniqueFd target(open(target_path.c_str(), flags, source_info.st_mode & 07777));
  if (!target.Valid()) throw LastErrno(L"copy", to);
  struct stat target_info {};
  if (fstat(target.Get(), &target_info) != 0) throw LastErrno(L"copy", to);
  if (target_info.st_dev == source_info.st_dev && target_info.st_ino == source_info.st_ino) {
    // Windows refuses this as a sharing violation; truncating would lose the file.
    throw ErrnoError(L"copy", to, EBUSY);
  }

  TargetCleanup cleanup(target_path);
  if (ftruncate(target.Get(), 0) != 0) throw LastErrno(L"copy", to);
  CopyContents(source.Get(), target.Get(), from, to);
  if (close(target.Release()) != 0 && errno != EINTR) throw LastErrno(L"copy", to);
  cleanup.Finished();
}

}  // namespace stavrel::posix
