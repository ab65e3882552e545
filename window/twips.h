#pragma once
// Twips to pixels. The layout is drawn in twips (1440 to the inch), 15 to a
// pixel at 96 DPI; other DPIs scale from there.

namespace stavrel::win {

inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves up. Callers scale edges rather than
// sizes so that controls sharing an edge in twips share it in pixels too.
constexpr int TwipsToPixels(int twips, int dpi) {
  long long scaled = static_cast<long long>(twips) * dpi;
  long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

static_assert(TwipsToPixels(15, 96) == 1);
static_assert(TwipsToPixels(4845, 96) == 323);
static_assert(TwipsToPixels(7290, 96) == 486);
static_assert(TwipsToPixels(4575, 144) == 458);  // 457.5 rounds up
static_assert(TwipsToPixels(255, 192) == 34);
static_assert(TwipsToPixels(-15, 96) == -1);

}  // namespace stavrel::win
