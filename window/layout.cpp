#include "layout.h"

#include <cstddef>

#include "twips.h"

namespace stavrel::win {
namespace {

constexpr bool TabIndexesAscend() {
  int previous = -1;
  for (const ControlEntry& control : kMainWindowControls) {
    if (control.tab_index == kNoTabIndex) continue;
    if (control.tab_index <= previous) return false;
    previous = control.tab_index;
  }
  return true;
}

constexpr bool ContainersAreFrames() {
  for (const ControlEntry& control : kMainWindowControls) {
    if (control.container == kOnWindow) continue;
    const ControlEntry* frame = FindControl(control.container);
    if (!frame || frame->kind != ControlKind::Frame || frame->container != kOnWindow) return false;
  }
  return true;
}

constexpr bool IdsAreUnique() {
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i)
    for (std::size_t j = i + 1; j < kMainWindowControls.size(); ++j)
      if (kMainWindowControls[i].id == kMainWindowControls[j].id) return false;
  return true;
}

// At 96 DPI every control must land on whole pixels, exactly where the
// twips say.
constexpr bool WholePixelsAtDefaultDpi() {
  for (const ControlEntry& control : kMainWindowControls) {
    TwipsPoint origin = ContainerOrigin(control);
    for (int twips :
         {origin.x + control.left, origin.y + control.top, control.width, control.height})
      if (twips % 15 != 0) return false;
  }
  return kClientWidthTwips % 15 == 0 && kClientHeightTwips % 15 == 0;
}

static_assert(TabIndexesAscend(), "controls must be listed in tab-index order");
static_assert(ContainersAreFrames());
static_assert(IdsAreUnique());
static_assert(WholePixelsAtDefaultDpi());

}  // namespace

RECT ControlRect(const ControlEntry& control, UINT dpi) {
  const int scale = static_cast<int>(dpi);
  const TwipsPoint origin = ContainerOrigin(control);
  const int left = origin.x + control.left;
  const int top = origin.y + control.top;
  RECT rect{TwipsToPixels(left, scale), TwipsToPixels(top, scale),
            TwipsToPixels(left + control.width, scale), TwipsToPixels(top + control.height, scale)};
  if (control.kind == ControlKind::Line) rect.bottom = rect.top + kEtchedLinePixels;
  return rect;
}

SIZE ClientSize(UINT dpi) {
  const int scale = static_cast<int>(dpi);
  return SIZE{TwipsToPixels(kClientWidthTwips, scale), TwipsToPixels(kClientHeightTwips, scale)};
}

}  // namespace stavrel::win
