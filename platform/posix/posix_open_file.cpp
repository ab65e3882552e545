#include "posix_open_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/posix/posix_error.h"

namespace stavrel::posix {

PosixOpenFile::PosixOpenFile(UniqueFd fd, std::wstring path)
    : fd_(std::move(fd)), path_(std::move(path)) {}

std::uint64_t PosixOpenFile::Length() {
  struct stat info {};
  if (fstat(fd_.Get(), &info) != 0) throw LastErrno(L"read", path_);
  return static_cast<std::uint64_t>(info.st_size);
}

std::size_t PosixOpenFile::ReadAt(std::uint64_t offset, std::span<std::byte> buffer) {
  std::size_t total = 0;
  while (total < buffer.size()) {
    const ssize_t got = pread(fd_.Get(), buffer.data() + total, buffer.size() - total,
                              static_cast<off_t>(offset + total));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw LastErrno(L"read", path_);
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

void PosixOpenFile::WriteAt(std::uint64_t offset, std::span<const std::byte> data) {
  std::size_t total = 0;
  while (total < data.size()) {
    const ssize_t written = pwrite(fd_.Get(), data.data() + total, data.size() - total,
                                   static_cast<off_t>(offset + total));
    if (written < 0) {
      if (errno == EINTR) continue;
      throw LastErrno(L"write", path_);
    }
    // Would loop for ever; a regular file never does this without an error.
    if (written == 0) throw ErrnoError(L"write", path_, EIO);
    total += static_cast<std::size_t>(written);
  }
}

void PosixOpenFile::Flush() {
  if (fsync(fd_.Get()) != 0) throw LastErrno(L"write", path_);
}

void PosixOpenFile::Close() {
  // After EINTR the descriptor is gone all the same on Linux; retrying could
  // close a descriptor another thread has just been given.
  if (close(fd_.Release()) != 0 && errno != EINTR) throw LastErrno(L"close", path_);
}

}  // namespace stavrel::posix
