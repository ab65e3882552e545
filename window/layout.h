#pragma once
// Where each control of the layout table goes, in pixels for a given DPI.
#include <windows.h>

#include "layout_table.h"

namespace stavrel::win {

// The etched line is two pixels (shadow over highlight) at every DPI.
inline constexpr int kEtchedLinePixels = 2;

struct TwipsPoint {
  int x, y;
};

// The container's top-left corner in client twips.
constexpr TwipsPoint ContainerOrigin(const ControlEntry& control) {
  if (control.container == kOnWindow) return {0, 0};
  for (const ControlEntry& frame : kMainWindowControls)
    if (frame.id == control.container) return {frame.left, frame.top};
  return {0, 0};  // unreachable: layout.cpp asserts that every container is a frame
}

constexpr const ControlEntry* FindControl(int id) {
  for (const ControlEntry& control : kMainWindowControls)
    if (control.id == id) return &control;
  return nullptr;
}

// The control's rectangle in client pixels (left, top, right, bottom).
RECT ControlRect(const ControlEntry& control, UINT dpi);

// The client area in pixels.
SIZE ClientSize(UINT dpi);

}  // namespace stavrel::win
