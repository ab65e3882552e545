#include "screen_capture.h"

#include <filesystem>
#include <fstream>

#include "base/win32/scoped_handles.h"
#include "waiting.h"

namespace stavrel::ui {

Picture CaptureScreen(const RECT& area) {
  Picture picture;
  picture.width = area.right - area.left;
  picture.height = area.bottom - area.top;
  if (picture.width <= 0 || picture.height <= 0) return {};

  const win32::WindowDc screen = win32::GetWindowDc(nullptr);
  const win32::MemoryDc memory(CreateCompatibleDC(screen.Get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const win32::BitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.Valid() || bits == nullptr) return {};
  {
    const win32::SelectedObject selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, picture.width, picture.height, screen.Get(), area.left, area.top, SRCCOPY);
    GdiFlush();
  }
  const auto* first = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(first, first + static_cast<std::size_t>(picture.width) * picture.height);
  for (auto& pixel : picture.pixels) pixel &= 0x00FFFFFF;
  return picture;
}

Picture SettledPicture(const RECT& area) {
  Picture last;
  WaitUntil(
      [&] {
        Picture now = CaptureScreen(area);
        const bool same = now.width > 0 && now.pixels == last.pixels;
        last = std::move(now);
        return same;
      },
      std::chrono::milliseconds(5000));
  return last;
}

Picture SettledPictureOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return SettledPicture(area);
}

Picture WithoutBlackEdges(const Picture& picture) {
  const auto black_row = [&](int y, int left, int right) {
    for (int x = left; x < right; ++x)
      if (picture.At(x, y) != 0) return false;
    return true;
  };
  const auto black_column = [&](int x, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
      if (picture.At(x, y) != 0) return false;
    return true;
  };
  int left = 0, top = 0, right = picture.width, bottom = picture.height;
  while (top < bottom && black_row(top, left, right)) ++top;
  while (bottom > top && black_row(bottom - 1, left, right)) --bottom;
  while (left < right && black_column(left, top, bottom)) ++left;
  while (right > left && black_column(right - 1, top, bottom)) --right;

  Picture trimmed;
  trimmed.width = right - left;
  trimmed.height = bottom - top;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) trimmed.pixels.push_back(picture.At(x, y));
  return trimmed;
}

bool WriteBmp(const Picture& picture, const std::wstring& path) {
  const int row_bytes = (picture.width * 3 + 3) & ~3;
  const DWORD image_bytes = static_cast<DWORD>(row_bytes) * picture.height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + image_bytes;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;  // bottom-up rows, as every reader expects
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = image_bytes;

  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  std::vector<char> row(static_cast<std::size_t>(row_bytes), 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel = picture.At(x, y);
      row[x * 3 + 0] = static_cast<char>(pixel & 0xFF);
      row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    out.write(row.data(), row_bytes);
  }
  return static_cast<bool>(out);
}

}  // namespace stavrel::ui
