#pragma once
// The fonts of the main window, made for one DPI.
#include <windows.h>

#include "base/win32/scoped_handles.h"
#include "layout_table.h"

namespace stavrel::win {

class WindowFonts {
 public:
  // Arial 8.25 pt for every control, Arial 9 pt bold for the "..." buttons;
  // the labels' size may come out smaller (see fonts.cpp).
  explicit WindowFonts(UINT dpi);

  HFONT Font(FontKind kind) const noexcept {
    switch (kind) {
      case FontKind::Caption: return label_.Get();
      case FontKind::BrowseBold: return browse_bold_.Get();
      case FontKind::Normal: break;
    }
    return normal_.Get();
  }

 private:
  win32::FontHandle normal_;
  win32::FontHandle label_;
  win32::FontHandle browse_bold_;
};

}  // namespace stavrel::win
