#include "control_geometry.h"

#include <cstdlib>

#include "base/win32/scoped_handles.h"

namespace stavrel::ui {

PixelRect ClientPlaceOf(HWND control, HWND main_window) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, main_window, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

PixelRect ClientAreaOf(HWND main_window) {
  RECT rect{};
  GetClientRect(main_window, &rect);
  return {0, 0, rect.right, rect.bottom};
}

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

PixelRect ToPixels(const TwipsRect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi), TwipsToPixels(twips.width, dpi),
          TwipsToPixels(twips.height, dpi)};
}

int ScreenDpi() {
  const win32::WindowDc screen = win32::GetWindowDc(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

bool WithinOnePixel(const PixelRect& actual, const PixelRect& expected) {
  const auto close_to = [](int a, int b) { return std::abs(a - b) <= 1; };
  return close_to(actual.left, expected.left) && close_to(actual.top, expected.top) && close_to(actual.width, expected.width) &&
         close_to(actual.height, expected.height);
}

}  // namespace stavrel::ui
