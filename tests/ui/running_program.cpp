#include "running_program.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <vector>

#include "base/utf.h"
#include "program_location.h"
#include "waiting.h"
#include "window_search.h"

namespace stavrel::ui {
namespace {

constexpr wchar_t kWindowTitle[] = L"Stavrel";

// A folder that is neither the program folder nor a test's folder, so that a
// program relying on its current folder shows it.
std::wstring NeutralFolder() {
  wchar_t temp[MAX_PATH + 1] = L"";
  GetTempPathW(MAX_PATH + 1, temp);
  return temp;
}

}  // namespace

void EndEveryStavrel() {
  const win32::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.Valid()) return;
  std::vector<DWORD> leftovers;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"stavrel.exe") == 0) leftovers.push_back(entry.th32ProcessID);
  }
  for (DWORD id : leftovers) {
    const win32::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process.Valid()) continue;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), static_cast<DWORD>(kPatience.count()));
  }
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& working_folder) {
  // Quoted, because the program folder may hold blanks; the program name is
  // given separately too, so that no other program is found instead.
  std::wstring command_line = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // Wine now and then fails a start with ERROR_INTERNAL_ERROR while the
  // previous program is still being torn down; a moment later it succeeds.
  constexpr int kAttempts = 5;
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       working_folder.empty() ? nullptr : working_folder.c_str(), &startup, &started))
      break;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == kAttempts)
      throw std::runtime_error("cannot start " + WideToUtf8(exe) + " (error " + std::to_string(error) + ")");
    Sleep(200);
  }
  CloseHandle(started.hThread);
  handle_.Reset(started.hProcess);
  id_ = started.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (!HasEnded()) {
    TerminateProcess(handle_.Get(), 1);
    WaitForSingleObject(handle_.Get(), static_cast<DWORD>(kPatience.count()));
  }
}

bool ChildProcess::HasEnded() const { return WaitForSingleObject(handle_.Get(), 0) == WAIT_OBJECT_0; }

bool ChildProcess::WaitForEnd() const {
  return WaitForSingleObject(handle_.Get(), static_cast<DWORD>(kPatience.count())) == WAIT_OBJECT_0;
}

namespace {

std::wstring StavrelExeWithNoOtherRunning() {
  EndEveryStavrel();
  return StavrelExePath();
}

}  // namespace

RunningProgram::RunningProgram() : process_(StavrelExeWithNoOtherRunning(), NeutralFolder()) {
  const auto is_main_window = [](HWND window) {
    return GetWindow(window, GW_OWNER) == nullptr && TextOf(window) == kWindowTitle;
  };
  // A program that cannot open its window (no screen, a crash) ends: no use
  // waiting for it then.
  WaitUntil([&] {
    for (HWND window : TopLevelWindowsOf(process_.Id())) {
      if (is_main_window(window)) window_ = window;
    }
    return window_ != nullptr || process_.HasEnded();
  });
  if (window_ == nullptr) {
    DWORD exit_code = 0;
    GetExitCodeProcess(process_.Handle(), &exit_code);
    throw std::runtime_error(process_.HasEnded()
                                 ? "stavrel.exe ended with exit code " + std::to_string(exit_code) +
                                       " before showing its window (is DISPLAY set?)"
                                 : "stavrel.exe showed no window titled \"Stavrel\"");
  }
  // Its first messages (sizing, painting, focus) come before any test input.
  WaitForInputIdle(process_.Handle(), static_cast<DWORD>(kPatience.count()));
}

RunningProgram::~RunningProgram() {
  if (process_.HasEnded()) return;
  // A message box or dialog left open by a failed test would keep the window
  // from closing; the process is terminated then.
  PostMessageW(window_, WM_CLOSE, 0, 0);
  WaitForSingleObject(process_.Handle(), 3000);
}

HWND RunningProgram::Control(int id) const {
  HWND control = GetDlgItem(window_, id);
  if (control == nullptr) throw std::runtime_error("the main window has no control with id " + std::to_string(id));
  return control;
}

}  // namespace stavrel::ui
