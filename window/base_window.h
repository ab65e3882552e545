#pragma once
// The classic BaseWindow pattern: the C++ object travels in CreateWindowExW's
// last argument, is stored at WM_NCCREATE and receives every later message
// through Derived::HandleMessage.
//
// Derived provides:
//   static constexpr const wchar_t* kClassName;
//   static void DescribeClass(WNDCLASSEXW& window_class, HINSTANCE instance);
//   LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
#include <windows.h>

#include "base/win32/system_error_text.h"
#include "error_text.h"

namespace stavrel::win {

template <class Derived>
class BaseWindow {
 public:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam,
                                     LPARAM lparam) noexcept {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      static_cast<BaseWindow*>(self)->window_ = window;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wparam, lparam);

    LRESULT result = 0;
    // Unwinding through the system's message dispatch is undefined, so this
    // is the last place an exception can be caught.
    try {
      result = self->HandleMessage(message, wparam, lparam);
    } catch (...) {
      ReportCurrentException(window, L"Stavrel could not finish what it was doing.");
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      static_cast<BaseWindow*>(self)->window_ = nullptr;
    }
    return result;
  }

  HWND Window() const noexcept { return window_; }

 protected:
  BaseWindow() = default;
  // Derived destroys its window in its own destructor, while its members
  // still exist for WM_DESTROY; here a window that outlived it only stops
  // reaching the half-destroyed object.
  ~BaseWindow() {
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  }
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  // Registers the class on first use and creates the window. Returns null
  // when WM_NCCREATE or WM_CREATE refused; other failures throw.
  HWND CreateTopLevel(HINSTANCE instance, const wchar_t* caption, DWORD style, DWORD ex_style,
                      int x, int y, int width, int height) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, Derived::kClassName, &existing)) {
      WNDCLASSEXW window_class{};
      window_class.cbSize = sizeof window_class;
      window_class.lpfnWndProc = &BaseWindow::WindowProc;
      window_class.hInstance = instance;
      window_class.lpszClassName = Derived::kClassName;
      Derived::DescribeClass(window_class, instance);
      if (!RegisterClassExW(&window_class)) win32::ThrowLastError(L"Register the window class");
    }
    return CreateWindowExW(ex_style, Derived::kClassName, caption, style, x, y, width, height,
                           nullptr, nullptr, instance, static_cast<Derived*>(this));
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace stavrel::win
