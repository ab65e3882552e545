#pragma once
// The fonts of the main window, made for one DPI.
#include <windows.h>

#include "font_handle.h"
#include "layout_table.h"

namespace stavrel::win {

class WindowFonts {
 public:
  // Arial 8.25 pt for every control, Arial 9 pt bold for the "..." buttons;
  // the labels' size may come out smaller (see fonts.cpp).
  explicit WindowFonts(UINT dpi);

  HFONT Font(FontKind kind) const noexcept {
    switch (kind) {
      case FontKind::Caption: return label_.get();
      case FontKind::BrowseBold: return browse_bold_.get();
      case FontKind::Normal: break;
    }
    return normal_.get();
  }

 private:
  FontHandle normal_;
  FontHandle label_;
  FontHandle browse_bold_;
};

}  // namespace stavrel::win
