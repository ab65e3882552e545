#pragma once
// A message box of the program, read and answered from outside.
#include <windows.h>

#include <string>

namespace stavrel::ui {

// Which of the standard icons the box shows, told by its colours: the error
// icon is red, the information icon blue, the warning icon yellow.
enum class IconLook { None, Red, Blue, Yellow, Unclear };
const char* NameOf(IconLook look);

class MessageBoxWindow {
 public:
  // Waits for a message box of the process; Found() is false if none came.
  static MessageBoxWindow WaitFor(DWORD process_id);

  bool Found() const { return box_ != nullptr; }
  HWND Handle() const { return box_; }
  HWND Owner() const { return GetWindow(box_, GW_OWNER); }
  std::wstring Title() const;
  std::wstring Text() const;
  IconLook Icon() const;
  void PressOk() const;
  // Presses the button with this id (IDYES, IDNO...).
  void PressButton(int id) const;
  bool WaitUntilClosed() const;

 private:
  explicit MessageBoxWindow(HWND box) : box_(box) {}
  HWND box_;
};

}  // namespace stavrel::ui
