#pragma once
// Moving the existing controls to their places for a new DPI.
#include <windows.h>

#include "fonts.h"

namespace stavrel::win {

// Gives every control of the table its rectangle and font for `dpi`.
void PlaceControls(HWND parent, UINT dpi, const WindowFonts& fonts);

}  // namespace stavrel::win
