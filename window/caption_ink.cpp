#include "caption_ink.h"

#include <algorithm>
#include <cstdint>

#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"

namespace stavrel::win {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

}  // namespace

int CaptionInkWidth(HFONT font, std::wstring_view caption) {
  if (caption.empty()) return 0;
  const int length = static_cast<int>(caption.size());

  const win32::WindowDc screen = win32::GetWindowDc(nullptr);
  win32::MemoryDc dc(CreateCompatibleDC(screen.Get()));
  if (!dc.Valid()) win32::ThrowLastError(L"Measure a label's caption");
  win32::SelectedObject font_in(dc.Get(), font);
  SIZE extent{};
  if (!font_in.Selected() || !GetTextExtentPoint32W(dc.Get(), caption.data(), length, &extent))
    win32::ThrowLastError(L"Measure a label's caption");

  // Room to the right for glyphs that overhang their advance width.
  const int width = extent.cx + extent.cy;
  const int height = extent.cy;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::BitmapHandle canvas(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!canvas.Valid() || !bits) win32::ThrowLastError(L"Measure a label's caption");
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill_n(pixels, static_cast<std::size_t>(width) * height, kWhite);

  win32::SelectedObject canvas_in(dc.Get(), canvas.Get());
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  SetBkMode(dc.Get(), TRANSPARENT);
  RECT area{0, 0, width, height};
  DrawTextW(dc.Get(), caption.data(), length, &area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  GdiFlush();  // the drawing must reach the bits before they are read

  for (int x = width - 1; x >= 0; --x)
    for (int y = 0; y < height; ++y)
      if ((pixels[static_cast<std::size_t>(y) * width + x] & kWhite) != kWhite) return x + 1;
  return 0;
}

}  // namespace stavrel::win
