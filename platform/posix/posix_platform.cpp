#include "posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/posix/posix_error.h"
#include "base/posix/unique_fd.h"
#include "path_conversion.h"
#include "posix_child_process.h"
#include "posix_file_copy.h"
#include "posix_open_file.h"
#include "posix_rename.h"
#include "regular_file_open.h"
#include "state_names.h"

namespace stavrel {

using posix::ErrnoError;
using posix::LastErrno;
using posix::ToPosixPath;
using posix::UniqueFd;

namespace {

// Empty when there is no such file.
std::optional<struct stat> StatOf(const std::wstring& path, Links links = Links::Followed) {
  struct stat info {};
  const std::string native = ToPosixPath(path);
  const int result = links == Links::Followed ? stat(native.c_str(), &info)
                                              : lstat(native.c_str(), &info);
  if (result == 0) return info;
  const int error = errno;
  if (posix::MeansNoSuchFile(error)) return std::nullopt;
  throw ErrnoError(L"open", path, error);
}

std::string RunningProgramPath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) throw LastErrno(L"open", L"/proc/self/exe");
    // A full buffer means the name may have been cut short.
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

PosixPlatform::PosixPlatform(std::wstring program_folder_override)
    : program_folder_override_(std::move(program_folder_override)) {}

void PosixPlatform::CopyFile(const std::wstring& from, const std::wstring& to, bool replace) {
  posix::CopyPosixFile(from, to, replace);
}

std::unique_ptr<OpenFile> PosixPlatform::OpenForReading(const std::wstring& path) {
  struct stat info {};
  UniqueFd fd = posix::OpenRegularFile(path, L"open", info);
  return std::make_unique<posix::PosixOpenFile>(std::move(fd), path);
}

std::unique_ptr<OpenFile> PosixPlatform::CreateNew(const std::wstring& path) {
  UniqueFd fd(open(ToPosixPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!fd.Valid()) throw LastErrno(L"create", path);
  return std::make_unique<posix::PosixOpenFile>(std::move(fd), path);
}

void PosixPlatform::RemoveFile(const std::wstring& path) {
  if (unlink(ToPosixPath(path).c_str()) != 0) throw LastErrno(L"delete", path);
}

void PosixPlatform::RenameFile(const std::wstring& from, const std::wstring& to, bool replace) {
  posix::RenamePosixFile(from, to, replace);
}

bool PosixPlatform::SameFile(const std::wstring& a, const std::wstring& b) {
  const auto first = StatOf(a);
  if (!first) return false;
  const auto second = StatOf(b);
  if (!second) return false;
  return first->st_dev == second->st_dev && first->st_ino == second->st_ino;
}

bool PosixPlatform::FileExists(const std::wstring& path) {
  const auto info = StatOf(path);
  return info && !S_ISDIR(info->st_mode);
}

bool PosixPlatform::IsFolder(const std::wstring& path, Links links) {
  const auto info = StatOf(path, links);
  return info && S_ISDIR(info->st_mode);
}

bool PosixPlatform::NameTaken(const std::wstring& path) {
  struct stat info {};
  if (lstat(ToPosixPath(path).c_str(), &info) == 0) return true;
  const int error = errno;
  if (posix::MeansNoSuchFile(error)) return false;
  throw ErrnoError(L"open", path, error);
}

std::wstring PosixPlatform::ProgramFolder() {
  if (program_folder_override_) return *program_folder_override_;
  const std::string program = RunningProgramPath();
  const auto last_separator = program.rfind('/');
  // A program at the very top keeps the "/" as its folder, like "C:\".
  const std::string folder = program.substr(0, last_separator == 0 ? 1 : last_separator);
  return posix::FromPosixPath(folder);
}

std::vector<std::wstring> PosixPlatform::GzipLocations() {
  const std::wstring folder = ProgramFolder();
  // The folder above the program's; empty when the program is in "/".
  const std::wstring prefix = folder.substr(0, folder.rfind(L'\\'));
  return {GzipProgram(folder), prefix + L"\\libexec\\stavrel\\gzip"};
}

std::unique_ptr<ChildProcess> PosixPlatform::StartProcess(const ProcessLaunch& launch) {
  return posix::StartChildProcess(launch);
}

}  // namespace stavrel
