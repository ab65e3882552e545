#pragma once
// A fresh stavrel.exe started for one test and always ended after it.
#include <windows.h>

#include <string>

#include "base/win32/scoped_handles.h"

namespace stavrel::ui {

// Ends every stavrel.exe still running, so that the windows a test finds are
// those of its own program.
void EndEveryStavrel();

// A started process, terminated on destruction if it is still running.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& exe, const std::wstring& working_folder);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return handle_.Get(); }
  bool HasEnded() const;
  // Waits (generously) for the process to end; says whether it did.
  bool WaitForEnd() const;

 private:
  win32::KernelHandle handle_;
  DWORD id_ = 0;
};

class RunningProgram {
 public:
  // Starts the program from the program folder and waits for its main window.
  RunningProgram();
  // Asks the window to close and gives it time; the process is ended either way.
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }
  DWORD WindowThreadId() const { return GetWindowThreadProcessId(window_, nullptr); }
  const ChildProcess& Process() const { return process_; }

  // The control with this id on the main window; fails the test if there is none.
  HWND Control(int id) const;

 private:
  ChildProcess process_;
  HWND window_ = nullptr;
};

}  // namespace stavrel::ui
