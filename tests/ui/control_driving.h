#pragma once
// Typing into boxes, pressing buttons and reading controls of another process.
#include <windows.h>

#include <ostream>
#include <string>

namespace stavrel::ui {

void SetText(HWND control, const std::wstring& text);

// Presses a button and returns at once: the press may open a dialog or a
// message box that the test has to answer.
void Press(HWND button);

// Presses a button and returns once the window has handled the press; only
// for presses that open nothing. Says whether the window answered in time.
bool PressAndWait(HWND button);

// Returns once the window's thread has handled what was sent to it so far.
bool SyncWith(HWND window);

struct ProgressReading {
  int maximum;
  int position;
  friend bool operator==(const ProgressReading&, const ProgressReading&) = default;
  friend std::ostream& operator<<(std::ostream& out, const ProgressReading& reading) {
    return out << "position " << reading.position << " of " << reading.maximum;
  }
};
ProgressReading ReadProgress(HWND progress_bar);

}  // namespace stavrel::ui
