#include "posix_child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/posix/posix_error.h"
#include "base/posix/unique_fd.h"
#include "base/utf.h"
#include "command_line_split.h"
#include "path_conversion.h"
#include "platform/child_output_text.h"
#include "spawn_file_actions.h"

extern char** environ;

namespace stavrel::posix {
namespace {

// How often Wait hands control back to the caller's pump.
constexpr int kPumpIntervalMs = 15;
// How long a child asked to stop may take before it is forced.
constexpr int kStopGraceMs = 2000;

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  // The shells' convention for a process ended by a signal.
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// What Linux has counted the process writing, to files and pipes alike; 0
// where there is no such count (another system, no /proc).
std::uint64_t WrittenByProcess(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/io";
  const UniqueFd io(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!io.Valid()) return 0;
  std::array<char, 512> text{};
  const ssize_t got = read(io.Get(), text.data(), text.size() - 1);
  if (got <= 0) return 0;
  const std::string_view counts(text.data(), static_cast<std::size_t>(got));
  const std::string_view field = "wchar: ";
  const std::size_t at = counts.find(field);
  if (at == std::string_view::npos) return 0;
  return std::strtoull(text.data() + at + field.size(), nullptr, 10);
}

class PosixChildProcess final : public ChildProcess {
 public:
  PosixChildProcess(pid_t pid, UniqueFd error_pipe, std::wstring application)
      : pid_(pid), error_pipe_(std::move(error_pipe)), application_(std::move(application)) {}

  ~PosixChildProcess() override {
    // Nobody waits for it any more: end it rather than leave it writing
    // somewhere unseen, and reap it so no zombie stays behind.
    if (!ended_) {
      try {
        Kill();
      } catch (const SystemError&) {
        kill(pid_, SIGKILL);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
      }
    }
  }

  std::optional<int> Wait(const std::function<bool()>& pump) override {
    while (!ended_) {
      // Reading as it comes keeps a chatty child from blocking on a full pipe.
      DrainErrorPipe();
      const bool go_on = pump();
      // A child that ended while the user was asked has nothing to stop.
      if (Reap(WNOHANG)) break;
      if (!go_on) return std::nullopt;
      // After end of file the pipe stays readable for ever; then just sleep.
      pollfd readable{error_pipe_.Get(), POLLIN, 0};
      if (poll(&readable, error_pipe_.Valid() ? 1 : 0, kPumpIntervalMs) < 0 && errno != EINTR) {
        throw LastErrno(L"wait for", application_);
      }
    }
    return exit_code_;
  }

  std::wstring ErrorOutput() override {
    if (!ended_) DrainErrorPipe();
    return DecodeChildOutput(error_output_);
  }

  // Once reaped, its process id may already be another process's.
  std::uint64_t BytesWritten() override { return ended_ ? 0 : WrittenByProcess(pid_); }

  // Asks first: on SIGTERM gzip removes its partial output, which SIGKILL
  // would leave behind. A child that has not ended after the grace is forced.
  void Kill() override {
    if (ended_) return;
    if (kill(pid_, SIGTERM) != 0) throw LastErrno(L"stop", application_);
    for (int waited = 0; waited < kStopGraceMs; waited += kPumpIntervalMs) {
      if (Reap(WNOHANG)) return;
      poll(nullptr, 0, kPumpIntervalMs);
    }
    if (kill(pid_, SIGKILL) != 0) throw LastErrno(L"stop", application_);
    Reap(0);
  }

 private:
  // True once the child has ended and its exit code is known.
  bool Reap(int options) {
    int status = 0;
    pid_t reaped;
    do {
      reaped = waitpid(pid_, &status, options);
    } while (reaped < 0 && errno == EINTR);
    if (reaped < 0) throw LastErrno(L"wait for", application_);
    if (reaped == 0) return false;
    ended_ = true;
    exit_code_ = ExitCodeOf(status);
    // Everything the child wrote is in the pipe by now.
    DrainErrorPipe();
    return true;
  }

  // Reads whatever the pipe holds now, without blocking.
  void DrainErrorPipe() {
    std::array<char, 16384> chunk;
    while (error_pipe_.Valid()) {
      const ssize_t got = read(error_pipe_.Get(), chunk.data(), chunk.size());
      if (got > 0) {
        error_output_.append(chunk.data(), static_cast<std::size_t>(got));
      } else if (got == 0) {
        error_pipe_.Reset();
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        return;
      } else if (errno != EINTR) {
        throw LastErrno(L"read the error output of", application_);
      }
    }
  }

  pid_t pid_;
  UniqueFd error_pipe_;
  std::wstring application_;
  std::string error_output_;
  bool ended_ = false;
  int exit_code_ = 0;
};

std::vector<std::string> ArgumentsFor(const ProcessLaunch& launch, const std::string& program) {
  std::vector<std::string> arguments{program};
  const std::vector<std::wstring> split = SplitCommandLine(launch.command_line);
  // Arguments are Windows paths here as everywhere ("\" between folders).
  for (std::size_t i = 1; i < split.size(); ++i) arguments.push_back(ToPosixPath(split[i]));
  return arguments;
}

// posix_spawn reports a failed chdir and a failed exec alike; name the folder
// when it is the folder that is missing.
std::vector<std::string> EnvironmentFor(const ProcessLaunch& launch) {
  std::vector<std::string> kept;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    bool unset = false;
    for (const std::wstring& removed : launch.unset_environment)
      unset = unset || WideToUtf8(removed) == name;
    if (!unset) kept.push_back(variable);
  }
  return kept;
}

const std::wstring& PathAtFault(const ProcessLaunch& launch) {
  if (launch.working_directory.empty()) return launch.application;
  struct stat info {};
  const std::string folder = ToPosixPath(launch.working_directory);
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return launch.working_directory;
  return launch.application;
}

}  // namespace

std::unique_ptr<ChildProcess> StartChildProcess(const ProcessLaunch& launch) {
  const std::wstring& application = launch.application;
  const std::string program = ToPosixPath(application);
  std::vector<std::string> arguments = ArgumentsFor(launch, program);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // Close-on-exec on both ends: only the dup2 copy on descriptor 2 reaches
  // the child, and nothing leaks into other children started meanwhile.
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw LastErrno(L"start", application);
  UniqueFd error_read(ends[0]);
  UniqueFd error_write(ends[1]);
  // Only our end may be non-blocking: the child's writes must wait for room.
  if (fcntl(error_read.Get(), F_SETFL, O_NONBLOCK) != 0) throw LastErrno(L"start", application);

  SpawnFileActions actions(L"start", application);
  actions.Open(STDIN_FILENO, "/dev/null", O_RDONLY);
  actions.Open(STDOUT_FILENO, "/dev/null", O_WRONLY);
  actions.Duplicate(error_write.Get(), STDERR_FILENO);
  // Descriptors others opened without close-on-exec stay with us, as the
  // handle list does on Windows.
  actions.CloseFrom(STDERR_FILENO + 1);
  const std::string working_directory = ToPosixPath(launch.working_directory);
  if (!working_directory.empty()) actions.ChangeDirectory(working_directory.c_str());

  std::vector<std::string> environment = EnvironmentFor(launch);
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);

  const SpawnInOwnProcessGroup attributes(L"start", application);
  pid_t pid = 0;
  const int error =
      posix_spawn(&pid, program.c_str(), actions.Get(), attributes.Get(), argv.data(), envp.data());
  if (error != 0) throw ErrnoError(L"start", PathAtFault(launch), error);
  return std::make_unique<PosixChildProcess>(pid, std::move(error_read), application);
}

}  // namespace stavrel::posix
