#include "win32_child_process.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"
#include "platform/child_output_text.h"
#include "proc_thread_attribute_list.h"

namespace stavrel::win32::platform {
namespace {

// How often Wait hands control back to the window.
constexpr DWORD kPumpIntervalMs = 15;

class Win32ChildProcess final : public ChildProcess {
 public:
  Win32ChildProcess(KernelHandle process, KernelHandle error_pipe, std::wstring application)
      : process_(std::move(process)),
        error_pipe_(std::move(error_pipe)),
        application_(std::move(application)) {}

  ~Win32ChildProcess() override {
    // Nobody waits for it any more: end it rather than leave it writing
    // somewhere unseen.
    if (!ended_) {
      TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), INFINITE);
    }
  }

  std::optional<int> Wait(const std::function<bool()>& pump) override {
    while (!ended_) {
      // Reading as it comes keeps a chatty child from blocking on a full pipe.
      DrainErrorPipe();
      if (!pump()) {
        // A child that ended while the user was asked has nothing to stop.
        if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) return std::nullopt;
        CollectExitCode();
        break;
      }
      const HANDLE process = process_.Get();
      const DWORD woken =
          MsgWaitForMultipleObjects(1, &process, FALSE, kPumpIntervalMs, QS_ALLINPUT);
      if (woken == WAIT_FAILED) throw LastError(L"wait for", application_);
      if (woken == WAIT_OBJECT_0) CollectExitCode();
    }
    return exit_code_;
  }

  std::wstring ErrorOutput() override {
    if (!ended_) DrainErrorPipe();
    return DecodeChildOutput(error_output_);
  }

  std::uint64_t BytesWritten() override {
    IO_COUNTERS counters{};
    if (!GetProcessIoCounters(process_.Get(), &counters)) return 0;
    return counters.WriteTransferCount;
  }

  void Kill() override {
    if (ended_) return;
    if (!TerminateProcess(process_.Get(), 1)) {
      const DWORD code = GetLastError();
      // It may have ended by itself just now.
      if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) {
        throw Win32Error(L"stop", application_, code);
      }
    }
    if (WaitForSingleObject(process_.Get(), INFINITE) == WAIT_FAILED) {
      throw LastError(L"stop", application_);
    }
    CollectExitCode();
  }

 private:
  void CollectExitCode() {
    DrainErrorPipe();
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.Get(), &code)) throw LastError(L"wait for", application_);
    exit_code_ = static_cast<int>(code);
    ended_ = true;
  }

  // Reads whatever the pipe holds now, without blocking.
  void DrainErrorPipe() {
    std::array<char, 16384> chunk;
    while (error_pipe_.Valid()) {
      DWORD available = 0;
      if (!PeekNamedPipe(error_pipe_.Get(), nullptr, 0, nullptr, &available, nullptr)) {
        // Every writer has closed its end and everything was read.
        if (GetLastError() == ERROR_BROKEN_PIPE) {
          error_pipe_.Reset();
          return;
        }
        throw LastError(L"read the error output of", application_);
      }
      if (available == 0) return;
      DWORD got = 0;
      const DWORD wanted = std::min<DWORD>(available, chunk.size());
      if (!ReadFile(error_pipe_.Get(), chunk.data(), wanted, &got, nullptr)) {
        throw LastError(L"read the error output of", application_);
      }
      error_output_.append(chunk.data(), got);
    }
  }

  KernelHandle process_;
  KernelHandle error_pipe_;
  std::wstring application_;
  std::string error_output_;
  bool ended_ = false;
  int exit_code_ = 0;
};

// CreateProcessW fails alike for a bad program and a bad working directory
// (ERROR_DIRECTORY, or not found); name the folder when it is the folder.
const std::wstring& PathAtFault(const ProcessLaunch& launch) {
  if (launch.working_directory.empty()) return launch.application;
  const DWORD attributes = GetFileAttributesW(launch.working_directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return launch.working_directory;
  }
  return launch.application;
}

bool NameIs(std::wstring_view variable, const std::wstring& name) {
  return variable.size() > name.size() && variable[name.size()] == L'=' &&
         CompareStringOrdinal(variable.data(), static_cast<int>(name.size()), name.data(),
                              static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

// This process's environment block without the variables the launch unsets
// (names compare without regard to case, as Windows compares them).
std::vector<wchar_t> EnvironmentFor(const ProcessLaunch& launch) {
  const EnvironmentBlock block(GetEnvironmentStringsW());
  if (!block.Valid()) throw LastError(L"start", launch.application);
  std::vector<wchar_t> kept;
  for (const wchar_t* entry = block.Get(); *entry; entry += wcslen(entry) + 1) {
    const std::wstring_view variable(entry);
    bool unset = false;
    for (const std::wstring& name : launch.unset_environment)
      unset = unset || NameIs(variable, name);
    if (unset) continue;
    kept.insert(kept.end(), variable.begin(), variable.end());
    kept.push_back(L'\0');
  }
  kept.push_back(L'\0');
  if (kept.size() == 1) kept.push_back(L'\0');  // an empty block still ends in two
  return kept;
}

KernelHandle OpenNulDevice(const std::wstring& application) {
  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  KernelHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0,
                               nullptr));
  if (!nul.Valid()) throw LastError(L"start", application);
  return nul;
}

}  // namespace

std::unique_ptr<ChildProcess> StartChildProcess(const ProcessLaunch& launch) {
  const std::wstring& application = launch.application;
  // A process's current folder is limited to MAX_PATH - 2 characters. Wine
  // 8 copies a longer one into a MAX_PATH buffer regardless, corrupting the
  // caller's heap or starting the child elsewhere: never hand it one.
  if (launch.working_directory.size() > MAX_PATH - 2)
    throw Win32Error(L"start", launch.working_directory, ERROR_FILENAME_EXCED_RANGE);
  KernelHandle nul = OpenNulDevice(application);

  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) throw LastError(L"start", application);
  KernelHandle error_read(read_end);
  KernelHandle error_write(write_end);
  if (!SetHandleInformation(error_read.Get(), HANDLE_FLAG_INHERIT, 0)) {
    throw LastError(L"start", application);
  }

  // Only these two handles go to the child, even when other threads create
  // inheritable handles meanwhile.
  std::array<HANDLE, 2> inherited{nul.Get(), error_write.Get()};
  ProcThreadAttributeList attributes(1, L"start", application);
  attributes.SetHandleList(inherited.data(), inherited.size());

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.StartupInfo.wShowWindow = SW_SHOWMINIMIZED;
  startup.StartupInfo.hStdInput = nul.Get();
  startup.StartupInfo.hStdOutput = nul.Get();
  startup.StartupInfo.hStdError = error_write.Get();
  startup.lpAttributeList = attributes.Get();

  // CreateProcessW may write into the command line, so it gets its own copy.
  std::vector<wchar_t> command_line(launch.command_line.begin(), launch.command_line.end());
  command_line.push_back(L'\0');
  std::vector<wchar_t> environment = EnvironmentFor(launch);
  const wchar_t* working_directory =
      launch.working_directory.empty() ? nullptr : launch.working_directory.c_str();

  // lpApplicationName is set so that a program folder with blanks in it can
  // never make Windows run some other program that matches a prefix. The
  // child gets no console at all: it needs none, its standard handles are
  // given, and under Wine a hidden console's host can outlive a child that
  // was ended, holding on to our own standard handles.
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                      DETACHED_PROCESS | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT,
                      environment.data(), working_directory, &startup.StartupInfo, &started)) {
    const DWORD code = GetLastError();
    throw Win32Error(L"start", PathAtFault(launch), code);
  }
  KernelHandle thread(started.hThread);
  KernelHandle process(started.hProcess);
  return std::make_unique<Win32ChildProcess>(std::move(process), std::move(error_read),
                                             application);
}

}  // namespace stavrel::win32::platform
