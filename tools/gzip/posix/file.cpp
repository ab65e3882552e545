// The file layer on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include "base/posix/posix_error.h"
#include "base/posix/unique_fd.h"
#include "file.h"
#include "names.h"

namespace gz::fs {

// A file the layer opened; the descriptor owner closes it, and Close() says
// what went wrong when a written file could not be closed.
class NativeFile {
 public:
  explicit NativeFile(int fd) : fd_(fd) {}

  int Fd() const { return fd_.Get(); }
  // Returns errno when closing failed (delayed write errors show here).
  int Close() { return ::close(fd_.Release()) == 0 ? 0 : errno; }

 private:
  stavrel::posix::UniqueFd fd_;
};

namespace {

std::string Reason(int error) { return stavrel::WideToUtf8(stavrel::posix::ErrorText(error)); }

// GNU gzip looks for a.gz after "gzip -d a" only when a is missing (ENOENT).
SystemError SystemErrorOf(int error) {
  return SystemError(L"", L"", stavrel::posix::ErrorText(error),
                     error == ENOENT ? stavrel::ErrorKind::NotFound : stavrel::ErrorKind::Other);
}

Timestamp TimestampOf(const struct timespec& time) { return {time.tv_sec, static_cast<std::int32_t>(time.tv_nsec)}; }

FileStatus StatusOf(const struct stat& info) {
  FileStatus status;
  status.kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                : S_ISDIR(info.st_mode) ? FileKind::Directory
                                        : FileKind::Other;
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.modified = TimestampOf(info.st_mtim);
  status.accessed = TimestampOf(info.st_atim);
  status.permissions = info.st_mode & 0777;
  status.set_user_id = (info.st_mode & S_ISUID) != 0;
  status.set_group_id = (info.st_mode & S_ISGID) != 0;
  status.sticky = (info.st_mode & S_ISVTX) != 0;
  status.links = info.st_nlink;
  status.owner = info.st_uid;
  status.group = info.st_gid;
  return status;
}

std::size_t ReadFrom(int fd, std::span<std::uint8_t> buffer) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw ReadError(Reason(errno));
  }
}

void WriteTo(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      throw WriteError(Reason(errno));
    }
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
}

// Where a path is looked up: inside the folder held open, or as it is.
struct At {
  int folder;
  std::string name;
};

int FolderFd(const Folder* in) { return in ? in->Handle().Fd() : AT_FDCWD; }

At Locate(const std::string& path, const Folder* in) { return {FolderFd(in), in ? in->NameOf(path) : path}; }

// The temporary output an interrupting signal must remove: a fixed buffer,
// since the handler may only make async-signal-safe calls.
char g_temporary[4096];
int g_temporary_folder = AT_FDCWD;
volatile sig_atomic_t g_temporary_armed = 0;

extern "C" void RemoveTemporaryAndDie(int signal_number) {
  if (g_temporary_armed) ::unlinkat(g_temporary_folder, g_temporary, 0);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

constexpr int kCleanupSignals[] = {SIGINT, SIGHUP, SIGTERM, SIGPIPE, SIGXCPU, SIGXFSZ};

void InstallSignalCleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal_number : kCleanupSignals) {
    struct sigaction action {};
    // A signal the caller chose to ignore stays ignored.
    if (::sigaction(signal_number, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = RemoveTemporaryAndDie;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
  }
}

// Holds the cleanup signals back for its lifetime: one that lands while the
// temporary output is created and registered for removal then finds it
// registered, never a file nobody would remove.
class CleanupSignalsHeld {
 public:
  CleanupSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal_number : kCleanupSignals) sigaddset(&held, signal_number);
    ::sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  ~CleanupSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  CleanupSignalsHeld(const CleanupSignalsHeld&) = delete;
  CleanupSignalsHeld& operator=(const CleanupSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

void ArmCleanup(const At& temporary) {
  g_temporary_armed = 0;
  if (temporary.name.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, temporary.name.c_str(), temporary.name.size() + 1);
  g_temporary_folder = temporary.folder;
  g_temporary_armed = 1;
}

// Creates a new file under a fresh temporary name beside `final`, mode
// 0600 as GNU gzip's output has before it gets the input's mode.
std::pair<int, At> CreateTemporaryBeside(const At& final) {
  const std::string folder = final.name.substr(0, final.name.size() - names::BaseName(final.name).size());
  for (int attempt = 1;; ++attempt) {
    At temporary{final.folder, folder + names::TemporaryName()};
    const int fd =
        ::openat(temporary.folder, temporary.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST || attempt == 100) return {fd, std::move(temporary)};
  }
}

}  // namespace

InputFile::InputFile(std::unique_ptr<NativeFile> file, FileStatus status) : file_(std::move(file)), status_(status) {}
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile::~InputFile() = default;

InputFile InputFile::Open(const std::string& path, bool follow_links, const Folder* in) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const int flags = O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW);
  const At at = Locate(path, in);
  auto file = std::make_unique<NativeFile>(::openat(at.folder, at.name.c_str(), flags));
  if (file->Fd() < 0) throw SystemErrorOf(errno);
  struct stat info {};
  if (::fstat(file->Fd(), &info) != 0) throw SystemErrorOf(errno);
  const int status_flags = ::fcntl(file->Fd(), F_GETFL);
  if (status_flags < 0 || ::fcntl(file->Fd(), F_SETFL, status_flags & ~O_NONBLOCK) < 0) throw SystemErrorOf(errno);
  return InputFile(std::move(file), StatusOf(info));
}

std::size_t InputFile::ReadSome(std::span<std::uint8_t> buffer) { return ReadFrom(file_->Fd(), buffer); }

void InputFile::Close() {
  if (const int error = file_->Close()) throw ReadError(Reason(error));
}

std::size_t StandardInput::ReadSome(std::span<std::uint8_t> buffer) { return ReadFrom(STDIN_FILENO, buffer); }

FileStatus StandardInput::Status() const {
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) != 0) throw SystemErrorOf(errno);
  return StatusOf(info);
}

void StandardOutput::WriteAll(std::span<const std::uint8_t> bytes) { WriteTo(STDOUT_FILENO, bytes); }

PendingOutput::PendingOutput(std::unique_ptr<NativeFile> file, const Folder* in, std::string temporary_path,
                             std::string final_path)
    : file_(std::move(file)), in_(in), temporary_path_(std::move(temporary_path)), final_path_(std::move(final_path)) {}

PendingOutput::PendingOutput(PendingOutput&& other) noexcept
    : file_(std::move(other.file_)),
      in_(other.in_),
      temporary_path_(std::move(other.temporary_path_)),
      final_path_(std::move(other.final_path_)),
      committed_(other.committed_) {
  other.committed_ = true;
}

PendingOutput::~PendingOutput() {
  if (committed_) return;
  file_.reset();
  // Removed before it is disarmed: a signal in between finds it gone.
  ::unlinkat(FolderFd(in_), temporary_path_.c_str(), 0);
  g_temporary_armed = 0;
}

PendingOutput PendingOutput::CreateBeside(const std::string& final_path, const Folder* in) {
  InstallSignalCleanup();
  const At final = Locate(final_path, in);
  const CleanupSignalsHeld held;
  auto [fd, temporary] = CreateTemporaryBeside(final);
  auto file = std::make_unique<NativeFile>(fd);
  if (file->Fd() < 0) throw SystemErrorOf(errno);
  ArmCleanup(temporary);
  return PendingOutput(std::move(file), in, std::move(temporary.name), final.name);
}

void PendingOutput::WriteAll(std::span<const std::uint8_t> bytes) { WriteTo(file_->Fd(), bytes); }

std::optional<std::string> PendingOutput::CopyMetadata(const FileStatus& like, Timestamp modified) {
  std::optional<std::string> refused;
  const struct timespec times[2] = {{like.accessed.seconds, like.accessed.nanoseconds},
                                    {modified.seconds, modified.nanoseconds}};
  if (::futimens(file_->Fd(), times) != 0) refused = Reason(errno);
  // Group first, then permissions, then owner, as GNU gzip does: a file
  // given away never has permissions meant for its former owner.
  [[maybe_unused]] const int group_changed = ::fchown(file_->Fd(), static_cast<uid_t>(-1), like.group);
  if (::fchmod(file_->Fd(), like.permissions) != 0 && !refused) refused = Reason(errno);
  [[maybe_unused]] const int owner_changed = ::fchown(file_->Fd(), like.owner, static_cast<gid_t>(-1));
  return refused;
}

void PendingOutput::FlushAndClose() {
  if (::fsync(file_->Fd()) != 0 && errno != EINVAL) throw WriteError(Reason(errno));
  if (const int error = file_->Close()) throw WriteError(Reason(error));
}

bool PendingOutput::Commit(bool replace) {
  const int folder = FolderFd(in_);
  const char* temporary = temporary_path_.c_str();
  const char* final = final_path_.c_str();
  if (replace) {
    if (::renameat(folder, temporary, folder, final) != 0) throw SystemErrorOf(errno);
  } else if (::linkat(folder, temporary, folder, final, 0) == 0) {
    // A hard link fails on an existing name, so nothing is ever replaced.
    ::unlinkat(folder, temporary, 0);
  } else if (errno == EEXIST) {
    return false;
  } else if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK || errno == ENOSYS) {
    // File systems without hard links: only check-then-rename is left.
    struct stat info {};
    if (::fstatat(folder, final, &info, AT_SYMLINK_NOFOLLOW) == 0) return false;
    if (::renameat(folder, temporary, folder, final) != 0) throw SystemErrorOf(errno);
  } else {
    throw SystemErrorOf(errno);
  }
  committed_ = true;
  g_temporary_armed = 0;
  return true;
}

Folder::Folder(InputFile&& opened, const std::string& path)
    : handle_(std::move(opened.file_)), prefix_(EndsWithSeparator(path) ? path : path + "/") {
  struct stat info {};
  if (::fstat(handle_->Fd(), &info) != 0) throw SystemErrorOf(errno);
  id_ = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}
Folder::Folder(Folder&&) noexcept = default;
Folder::~Folder() = default;

std::vector<std::string> Folder::Entries() {
  // The listing gets a descriptor of its own, on the same folder.
  stavrel::posix::UniqueFd listed(::fcntl(handle_->Fd(), F_DUPFD_CLOEXEC, 0));
  std::unique_ptr<DIR, int (*)(DIR*)> folder(listed.Valid() ? ::fdopendir(listed.Get()) : nullptr, ::closedir);
  if (!folder) throw SystemErrorOf(errno);
  listed.Release();
  std::vector<std::string> entries;
  for (;;) {
    errno = 0;
    const struct dirent* entry = ::readdir(folder.get());
    if (!entry) break;
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") entries.emplace_back(name);
  }
  if (errno != 0) throw SystemErrorOf(errno);
  return entries;
}

bool EndsWithSeparator(std::string_view path) { return path.ends_with('/'); }

bool NameExists(const std::string& path, const Folder* in) {
  const At at = Locate(path, in);
  struct stat info {};
  return ::fstatat(at.folder, at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

void RemoveFile(const std::string& path, const Folder* in) {
  const At at = Locate(path, in);
  if (::unlinkat(at.folder, at.name.c_str(), 0) != 0) throw SystemErrorOf(errno);
}

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::Input ? STDIN_FILENO : STDOUT_FILENO) == 1;
}

void WriteErrorText(std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(STDERR_FILENO, text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;  // nowhere left to say anything
    text.remove_prefix(static_cast<std::size_t>(put));
  }
}

}  // namespace gz::fs
