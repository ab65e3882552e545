#include "label_ink.h"

#include <map>
#include <vector>

namespace stavrel::ui {
namespace {

std::uint32_t MostCommonColour(const Picture& picture) {
  std::map<std::uint32_t, int> counts;
  for (std::uint32_t pixel : picture.pixels) ++counts[pixel];
  std::uint32_t common = 0;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) {
      most = count;
      common = colour;
    }
  }
  return common;
}

int Brightness(std::uint32_t pixel) { return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF); }

// Smoothed glyph edges are paler than the glyph: only clearly dark pixels count.
bool IsInk(std::uint32_t pixel, int background_brightness) {
  return background_brightness - Brightness(pixel) > 3 * 60;
}

}  // namespace

bool EndsWithColon(const Picture& label) {
  if (label.width == 0) return false;
  const int background = Brightness(MostCommonColour(label));
  std::vector<bool> column_inked(static_cast<std::size_t>(label.width), false);
  for (int x = 0; x < label.width; ++x)
    for (int y = 0; y < label.height; ++y)
      if (IsInk(label.At(x, y), background)) column_inked[x] = true;

  int last = label.width - 1;
  while (last >= 0 && !column_inked[last]) --last;
  if (last < 0) return false;
  int first = last;
  while (first > 0 && column_inked[first - 1]) --first;
  if (first == 0 || last - first + 1 > 3) return false;

  // The rows the mark covers, as runs from top to bottom.
  std::vector<int> run_lengths;
  bool in_run = false;
  for (int y = 0; y < label.height; ++y) {
    bool inked = false;
    for (int x = first; x <= last; ++x) inked = inked || IsInk(label.At(x, y), background);
    if (inked && !in_run) run_lengths.push_back(0);
    if (inked) ++run_lengths.back();
    in_run = inked;
  }
  const int dot_limit = label.height / 4 + 1;
  return run_lengths.size() == 2 && run_lengths[0] <= dot_limit && run_lengths[1] <= dot_limit;
}

}  // namespace stavrel::ui
