#pragma once
// What a running command needs from the front end that started it: the
// window implements it on its controls, the console on its terminal.
#include <cstdint>
#include <string>

#include "command_report.h"

namespace stavrel {

class Host {
 public:
  virtual ~Host() = default;
  virtual void SetProgressMax(double max) = 0;
  virtual void SetProgressValue(double value) = 0;
  // The module's variable count, as soon as it is known.
  virtual void ShowVariableCount(std::uint64_t count) = 0;
  // Where the commands' reports go: the window's message box, or a console.
  virtual MessageSink& Messages() = 0;
  // Lets the front end handle what is pending. Returns false once the user
  // has asked to stop: a long run then stops at the next step.
  virtual bool ProcessPendingEvents() = 0;
  // While gzip.exe works on `file` (empty: no longer), a stop request is
  // the user's to confirm, since it ends another program.
  virtual void SetBackgroundWork(const std::wstring& file) = 0;
  // Meanwhile, how much gzip.exe has written so far (0: nothing, or not known).
  virtual void ShowBytesWritten(std::uint64_t bytes) = 0;
  // Commands are disabled while one runs, so no second one can start.
  virtual void SetCommandsEnabled(bool enabled) = 0;
};

}  // namespace stavrel
