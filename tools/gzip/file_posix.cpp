// The file layer on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "file.h"
#include "names.h"

namespace gz::fs {

class NativeFile {
 public:
  explicit NativeFile(int fd) : fd_(fd) {}
  ~NativeFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;

  int fd() const { return fd_; }
  // Returns errno when closing failed (delayed write errors show here).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

namespace {

std::string reason(int error) { return std::strerror(error); }

SystemError system_error(int error) { return SystemError(reason(error), error == ENOENT); }

Timestamp timestamp(const struct timespec& time) { return {time.tv_sec, static_cast<std::int32_t>(time.tv_nsec)}; }

FileStatus status_of(const struct stat& info) {
  FileStatus status;
  status.kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                : S_ISDIR(info.st_mode) ? FileKind::Directory
                                        : FileKind::Other;
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.modified = timestamp(info.st_mtim);
  status.accessed = timestamp(info.st_atim);
  status.permissions = info.st_mode & 0777;
  status.set_user_id = (info.st_mode & S_ISUID) != 0;
  status.set_group_id = (info.st_mode & S_ISGID) != 0;
  status.sticky = (info.st_mode & S_ISVTX) != 0;
  status.links = info.st_nlink;
  status.owner = info.st_uid;
  status.group = info.st_gid;
  return status;
}

std::size_t read_from(int fd, std::span<std::uint8_t> buffer) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw ReadError(reason(errno));
  }
}

void write_to(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      throw WriteError(reason(errno));
    }
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
}

// The temporary output an interrupting signal must remove: a fixed buffer,
// since the handler may only make async-signal-safe calls.
char g_temporary[4096];
volatile sig_atomic_t g_temporary_armed = 0;

extern "C" void remove_temporary_and_die(int signal_number) {
  if (g_temporary_armed) ::unlink(g_temporary);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

constexpr int kCleanupSignals[] = {SIGINT, SIGHUP, SIGTERM, SIGPIPE, SIGXCPU, SIGXFSZ};

void install_signal_cleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal_number : kCleanupSignals) {
    struct sigaction action {};
    // A signal the caller chose to ignore stays ignored.
    if (::sigaction(signal_number, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = remove_temporary_and_die;
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

void arm_cleanup(const std::string& path) {
  g_temporary_armed = 0;
  if (path.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, path.c_str(), path.size() + 1);
  g_temporary_armed = 1;
}

}  // namespace

InputFile::InputFile(std::unique_ptr<NativeFile> file, FileStatus status)
    : file_(std::move(file)), status_(status) {}
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile::~InputFile() = default;

InputFile InputFile::open(const std::string& path, bool follow_links) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const int flags = O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW);
  auto file = std::make_unique<NativeFile>(::open(path.c_str(), flags));
  if (file->fd() < 0) throw system_error(errno);
  struct stat info {};
  if (::fstat(file->fd(), &info) != 0) throw system_error(errno);
  const int status_flags = ::fcntl(file->fd(), F_GETFL);
  if (status_flags < 0 || ::fcntl(file->fd(), F_SETFL, status_flags & ~O_NONBLOCK) < 0) throw system_error(errno);
  return InputFile(std::move(file), status_of(info));
}

std::size_t InputFile::read_some(std::span<std::uint8_t> buffer) { return read_from(file_->fd(), buffer); }

void InputFile::close() {
  if (const int error = file_->close()) throw ReadError(reason(error));
}

std::size_t StandardInput::read_some(std::span<std::uint8_t> buffer) { return read_from(STDIN_FILENO, buffer); }

FileStatus StandardInput::status() const {
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) != 0) throw system_error(errno);
  return status_of(info);
}

void StandardOutput::write_all(std::span<const std::uint8_t> bytes) { write_to(STDOUT_FILENO, bytes); }

PendingOutput::PendingOutput(std::unique_ptr<NativeFile> file, std::string temporary_path, std::string final_path)
    : file_(std::move(file)), temporary_path_(std::move(temporary_path)), final_path_(std::move(final_path)) {}

PendingOutput::PendingOutput(PendingOutput&& other) noexcept
    : file_(std::move(other.file_)),
      temporary_path_(std::move(other.temporary_path_)),
      final_path_(std::move(other.final_path_)),
      committed_(other.committed_) {
  other.committed_ = true;
}

PendingOutput::~PendingOutput() {
  if (committed_) return;
  file_.reset();
  // Removed before it is disarmed: a signal in between finds it gone.
  ::unlink(temporary_path_.c_str());
  g_temporary_armed = 0;
}

PendingOutput PendingOutput::create_beside(const std::string& final_path) {
  install_signal_cleanup();
  const std::string folder = final_path.substr(0, final_path.size() - names::base_name(final_path).size());
  std::string temporary = folder + ".gzip-XXXXXX";
  const CleanupSignalsHeld held;
  // mkostemp creates the file with mode 0600, like GNU gzip's output before
  // it gets the input's mode.
  auto file = std::make_unique<NativeFile>(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file->fd() < 0) throw system_error(errno);
  arm_cleanup(temporary);
  return PendingOutput(std::move(file), std::move(temporary), final_path);
}

void PendingOutput::write_all(std::span<const std::uint8_t> bytes) { write_to(file_->fd(), bytes); }

std::optional<std::string> PendingOutput::copy_metadata(const FileStatus& like, Timestamp modified) {
  std::optional<std::string> refused;
  const struct timespec times[2] = {{like.accessed.seconds, like.accessed.nanoseconds},
                                    {modified.seconds, modified.nanoseconds}};
  if (::futimens(file_->fd(), times) != 0) refused = reason(errno);
  // Group first, then permissions, then owner, as GNU gzip does: a file
  // given away never has permissions meant for its former owner.
  [[maybe_unused]] const int group_changed = ::fchown(file_->fd(), static_cast<uid_t>(-1), like.group);
  if (::fchmod(file_->fd(), like.permissions) != 0 && !refused) refused = reason(errno);
  [[maybe_unused]] const int owner_changed = ::fchown(file_->fd(), like.owner, static_cast<gid_t>(-1));
  return refused;
}

void PendingOutput::flush_and_close() {
  if (::fsync(file_->fd()) != 0 && errno != EINVAL) throw WriteError(reason(errno));
  if (const int error = file_->close()) throw WriteError(reason(error));
}

bool PendingOutput::commit(bool replace) {
  if (replace) {
    if (::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) throw system_error(errno);
  } else if (::link(temporary_path_.c_str(), final_path_.c_str()) == 0) {
    // A hard link fails on an existing name, so nothing is ever replaced.
    ::unlink(temporary_path_.c_str());
  } else if (errno == EEXIST) {
    return false;
  } else if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK || errno == ENOSYS) {
    // File systems without hard links: only check-then-rename is left.
    if (name_exists(final_path_)) return false;
    if (::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) throw system_error(errno);
  } else {
    throw system_error(errno);
  }
  committed_ = true;
  g_temporary_armed = 0;
  return true;
}

namespace {

struct FolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

}  // namespace

std::vector<std::string> FolderEntries(const std::string& path) {
  const std::unique_ptr<DIR, FolderCloser> folder(::opendir(path.c_str()));
  if (!folder) throw system_error(errno);
  std::vector<std::string> entries;
  for (;;) {
    errno = 0;
    const struct dirent* entry = ::readdir(folder.get());
    if (!entry) break;
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") entries.emplace_back(name);
  }
  if (errno != 0) throw system_error(errno);
  return entries;
}

bool EndsWithSeparator(std::string_view path) { return path.ends_with('/'); }

bool name_exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

void remove_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0) throw system_error(errno);
}

bool is_terminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::Input ? STDIN_FILENO : STDOUT_FILENO) == 1;
}

void write_error_text(std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(STDERR_FILENO, text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;  // nowhere left to say anything
    text.remove_prefix(static_cast<std::size_t>(put));
  }
}

}  // namespace gz::fs
