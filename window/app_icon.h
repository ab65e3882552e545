#pragma once
// The program's icon (stavrel.ico) at the sizes a DPI asks for.
#include <windows.h>

#include "base/win32/scoped_handles.h"

namespace stavrel::win {

// The standard-size icon shared by the system, for the window class.
HICON SharedAppIcon(HINSTANCE instance, int size_metric);

// The icon drawn for a DPI: SM_CXICON or SM_CXSMICON at that DPI. Owned by
// the caller, who hands it to the window with WM_SETICON.
win32::IconHandle AppIconForDpi(HINSTANCE instance, int size_metric, UINT dpi);

}  // namespace stavrel::win
