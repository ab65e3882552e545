#pragma once
// How wide a label's caption really comes out: rendered, not computed from
// advance widths, because the last glyph's side bearing and the rasteriser's
// hinting decide whether a trailing colon still shows.
#include <windows.h>

#include <string_view>

namespace stavrel::win {

// The column just right of the caption's last inked pixel, drawn as a plain
// left-aligned single-line label draws it (from x = 0).
int CaptionInkWidth(HFONT font, std::wstring_view caption);

}  // namespace stavrel::win
