#include "fonts.h"

#include "base/win32/system_error_text.h"
#include "caption_ink.h"
#include "layout.h"

namespace stavrel::win {
namespace {

// Point sizes in hundredths keep 8.25 pt exact in integer arithmetic.
int PixelHeight(int hundredths_of_point, UINT dpi) {
  return MulDiv(hundredths_of_point, static_cast<int>(dpi), 72 * 100);
}

win32::FontHandle CreateArial(int pixel_height, int weight) {
  win32::FontHandle font(CreateFontW(-pixel_height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  if (!font.Valid()) win32::ThrowLastError(L"Create the Arial font");
  return font;
}

bool EveryCaptionFits(HFONT font, UINT dpi) {
  for (const ControlEntry& entry : kMainWindowControls) {
    if (entry.font != FontKind::Caption) continue;
    const RECT place = ControlRect(entry, dpi);
    if (CaptionInkWidth(font, entry.caption) > place.right - place.left) return false;
  }
  return true;
}

// The labels were sized for their captions at 96 DPI. At other DPIs the
// rounded font size, and FreeType's glyphs under Wine, can make a caption a
// pixel or two wider than its label, which then clips the colon. The labels
// take the largest size, up to the window font's, at which every caption
// fits; a few pixels down at most, so they never look out of place.
win32::FontHandle CreateLabelFont(int window_font_height, UINT dpi) {
  constexpr int kMostPixelsSmaller = 3;
  const int smallest = window_font_height - kMostPixelsSmaller;
  for (int height = window_font_height; height > smallest; --height) {
    win32::FontHandle font = CreateArial(height, FW_NORMAL);
    if (EveryCaptionFits(font.Get(), dpi)) return font;
  }
  return CreateArial(smallest, FW_NORMAL);
}

}  // namespace

WindowFonts::WindowFonts(UINT dpi)
    : normal_(CreateArial(PixelHeight(825, dpi), FW_NORMAL)),
      label_(CreateLabelFont(PixelHeight(825, dpi), dpi)),
      browse_bold_(CreateArial(PixelHeight(900, dpi), FW_BOLD)) {}

}  // namespace stavrel::win
