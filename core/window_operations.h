#pragma once
// What the program's logic may do to its window. The real window implements
// it on its controls; tests implement it with a recorder.
#include <string>

#include "command_report.h"

namespace stavrel {

enum class Box { Factor, VarFound, File1, File2, Decompress, Compress, FName };

class WindowOperations {
 public:
  virtual ~WindowOperations() = default;
  virtual std::wstring BoxText(Box box) = 0;
  virtual void SetBoxText(Box box, const std::wstring& text) = 0;
  virtual void SetProgressMax(double max) = 0;
  virtual double ProgressMax() = 0;
  virtual void SetProgressValue(double value) = 0;
  // Where the commands' reports go: the window's message box, or a console.
  virtual MessageSink& Messages() = 0;
  // Lets the window handle what is pending. Returns false once the user has
  // asked to stop (closing the window asks too): a long run then stops at
  // the next step.
  virtual bool ProcessPendingEvents() = 0;
  // While gzip.exe works on `file` (empty: no longer), a stop request is
  // the user's to confirm, since it ends another program.
  virtual void SetBackgroundWork(const std::wstring& file) = 0;
  // Commands are disabled while one runs, so no second one can start.
  virtual void SetCommandsEnabled(bool enabled) = 0;
};

}  // namespace stavrel
