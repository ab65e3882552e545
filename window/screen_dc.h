#pragma once
// The screen's device context, borrowed for the lifetime of this object.
#include <windows.h>

namespace stavrel::win {

class ScreenDc {
 public:
  ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HDC dc_;
};

}  // namespace stavrel::win
