#pragma once
// Where controls are, measured from outside in the main window's client
// coordinates, and what the table says they should be in pixels.
#include <windows.h>

#include <ostream>

#include "expected_layout.h"

namespace stavrel::ui {

struct PixelRect {
  int left, top, width, height;
  friend std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
    return out << "(" << r.left << ", " << r.top << ") " << r.width << " x " << r.height;
  }
};

PixelRect ClientPlaceOf(HWND control, HWND main_window);
PixelRect ClientAreaOf(HWND main_window);

// Twips to pixels at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);
PixelRect ToPixels(const TwipsRect& twips, int dpi);

// The DPI this session's screen reports.
int ScreenDpi();

// Whether left, top, width and height each lie within one pixel of the
// expected ones: the window may round each of them its own way.
bool WithinOnePixel(const PixelRect& actual, const PixelRect& expected);

}  // namespace stavrel::ui
