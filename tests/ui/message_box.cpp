#include "message_box.h"

#include <algorithm>

#include "control_driving.h"
#include "screen_capture.h"
#include "waiting.h"
#include "window_search.h"

namespace stavrel::ui {
namespace {

// Ids inside a message box: its text, its icon.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 1088;

HWND TextControl(HWND box) { return DescendantWithId(box, kTextId, L"Static"); }

HWND IconControl(HWND box) {
  HWND icon = DescendantWithId(box, kIconId, L"Static");
  if (icon == nullptr || !IsWindowVisible(icon)) return nullptr;
  return (GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON ? icon : nullptr;
}

struct ColourCount {
  int red = 0, blue = 0, yellow = 0;
};

ColourCount CountStrongColours(const Picture& picture) {
  ColourCount count;
  for (std::uint32_t pixel : picture.pixels) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    if (r > 150 && g < 100 && b < 100) ++count.red;
    if (b > 150 && r < 120) ++count.blue;
    if (r > 180 && g > 150 && b < 90) ++count.yellow;
  }
  return count;
}

IconLook LookOf(const ColourCount& count, int pixels) {
  // An eighth of the icon in one strong colour, twice as much as any other.
  const int enough = pixels / 8;
  const int most = std::max({count.red, count.blue, count.yellow});
  if (most < enough) return IconLook::Unclear;
  if (most == count.red && count.red > 2 * std::max(count.blue, count.yellow)) return IconLook::Red;
  if (most == count.blue && count.blue > 2 * std::max(count.red, count.yellow)) return IconLook::Blue;
  if (most == count.yellow && count.yellow > 2 * std::max(count.red, count.blue)) return IconLook::Yellow;
  return IconLook::Unclear;
}

}  // namespace

const char* NameOf(IconLook look) {
  switch (look) {
    case IconLook::None: return "no icon";
    case IconLook::Red: return "red (error)";
    case IconLook::Blue: return "blue (information)";
    case IconLook::Yellow: return "yellow (warning)";
    case IconLook::Unclear: return "an icon of unclear colour";
  }
  return "?";
}

MessageBoxWindow MessageBoxWindow::WaitFor(DWORD process_id) {
  return MessageBoxWindow(WaitForTopLevel(process_id, [](HWND window) {
    return ClassNameOf(window) == L"#32770" && TextControl(window) != nullptr;
  }));
}

std::wstring MessageBoxWindow::Title() const { return TextOf(box_); }

std::wstring MessageBoxWindow::Text() const { return TextOf(TextControl(box_)); }

IconLook MessageBoxWindow::Icon() const {
  HWND icon = IconControl(box_);
  if (icon == nullptr) return IconLook::None;
  // The box may not have painted yet: look until the icon shows its colours.
  IconLook look = IconLook::Unclear;
  WaitUntil([&] {
    RECT area{};
    GetWindowRect(icon, &area);
    const Picture picture = CaptureScreen(area);
    look = LookOf(CountStrongColours(picture), picture.width * picture.height);
    return look != IconLook::Unclear;
  }, std::chrono::milliseconds(5000));
  return look;
}

void MessageBoxWindow::PressOk() const { PressButton(IDOK); }

void MessageBoxWindow::PressButton(int id) const { Press(DescendantWithId(box_, id, L"Button")); }

bool MessageBoxWindow::WaitUntilClosed() const { return WaitUntilGone(box_); }

}  // namespace stavrel::ui
