#pragma once
// The program logic's view of the main window (stavrel::WindowOperations),
// carried out on the real controls.
#include <windows.h>

#include "run_state.h"
#include "window_operations.h"

namespace stavrel::win {

class MainWindowOperations final : public WindowOperations {
 public:
  explicit MainWindowOperations(RunState& run) noexcept : run_(run) {}

  // The controls exist from WM_CREATE on; nothing calls in before that.
  void Attach(HWND window) noexcept { window_ = window; }

  std::wstring BoxText(Box box) override;
  void SetBoxText(Box box, const std::wstring& text) override;
  void SetProgressMax(double max) override;
  double ProgressMax() override;
  void SetProgressValue(double value) override;
  void ShowMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) override;
  bool ProcessPendingEvents() override;
  void SetCommandsEnabled(bool enabled) noexcept override;

 private:
  HWND Control(int id) const;

  HWND window_ = nullptr;
  RunState& run_;
  // Where the focus was when its button was disabled, and where it went, so
  // it can come back if the user has not moved it since.
  HWND focus_before_disable_ = nullptr;
  HWND focus_while_disabled_ = nullptr;
};

// The control that shows a box.
int BoxControlId(Box box) noexcept;

}  // namespace stavrel::win
