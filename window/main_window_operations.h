#pragma once
// The commands' view of the main window (stavrel::FormView),
// carried out on the real controls.
#include <windows.h>

#include "command_run.h"
#include "form_view.h"

namespace stavrel::win {

class MainWindowOperations final : public FormView, public MessageSink {
 public:
  explicit MainWindowOperations(CommandGate& gate) noexcept : gate_(gate) {}

  // The controls exist from WM_CREATE on; nothing calls in before that.
  void Attach(HWND window) noexcept { window_ = window; }

  std::wstring BoxText(Box box) override;
  void SetBoxText(Box box, const std::wstring& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  MessageSink& Messages() override { return *this; }
  void Show(const CommandReport& report) override;
  bool ProcessPendingEvents() override;
  void SetBackgroundWork(const std::wstring& file) override;
  // The window has no place for it: its pointer says gzip is at work.
  void ShowBytesWritten(std::uint64_t) override {}
  // The file gzip.exe works on while a state command waits; else empty.
  const std::wstring& BackgroundWork() const noexcept { return background_work_; }
  void SetCommandsEnabled(bool enabled) noexcept override;

 private:
  HWND Control(int id) const;

  HWND window_ = nullptr;
  CommandGate& gate_;
  std::wstring background_work_;
  // Where the focus was when its button was disabled, and where it went, so
  // it can come back if the user has not moved it since.
  HWND focus_before_disable_ = nullptr;
  HWND focus_while_disabled_ = nullptr;
};

// The control that shows a box.
int BoxControlId(Box box) noexcept;

}  // namespace stavrel::win
