#pragma once
// Pictures of what is on the screen, taken from outside the program.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace stavrel::ui {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top down

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// What the screen shows in this rectangle (screen coordinates).
Picture CaptureScreen(const RECT& area);

// What the screen shows in this rectangle once two pictures in a row agree:
// then nothing is still being painted. A blinking caret may keep them apart;
// the last picture is taken then.
Picture SettledPicture(const RECT& area);
// The window with its frame, settled.
Picture SettledPictureOf(HWND window);

// The picture without the rows and columns at its edges that are pure black.
Picture WithoutBlackEdges(const Picture& picture);

// Writes a 24-bit BMP; says whether it could.
bool WriteBmp(const Picture& picture, const std::wstring& path);

}  // namespace stavrel::ui
