#pragma once
// Creating the main window's controls from the layout table.
#include <windows.h>

#include "fonts.h"

namespace stavrel::win {

// Creates every control of the table as a child of `parent`, in table order,
// placed for `dpi` and with its font set.
void CreateControls(HWND parent, HINSTANCE instance, UINT dpi, const WindowFonts& fonts);

}  // namespace stavrel::win
