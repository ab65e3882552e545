// The main window's layout measured from outside: every control where the
// form puts it, at 96 DPI and at 144 DPI (150 %), and what each control is.
#include <gtest/gtest.h>

#include <cstdlib>

#include "control_geometry.h"
#include "keyboard_input.h"
#include "label_ink.h"
#include "screen_capture.h"
#include "stavrel_window_test.h"
#include "waiting.h"

namespace stavrel::ui {
namespace {

// The wrapper that switches the session's DPI names the one it set; a run
// without it checks the layout at whatever DPI the screen has.
bool RunsAtDpi(int dpi) {
  const wchar_t* chosen = _wgetenv(L"STAVREL_UI_DPI");
  if (chosen != nullptr && *chosen != L'\0') return std::wcstol(chosen, nullptr, 10) == dpi;
  return ScreenDpi() == dpi;
}

class WindowLayout : public StavrelWindowTest {
 protected:
  void ExpectLayoutAt(int dpi) const {
    ASSERT_EQ(ScreenDpi(), dpi) << "the session's LogPixels is not " << dpi;
    const HWND window = program.Window();

    const PixelRect client = ClientAreaOf(window);
    const PixelRect expected_client = ToPixels({0, 0, kClientWidthTwips, kClientHeightTwips}, dpi);
    EXPECT_TRUE(WithinOnePixel(client, expected_client))
        << "client area " << client << ", expected " << expected_client;

    for (const ExpectedControl& control : kExpectedControls) {
      HWND handle = GetDlgItem(window, control.id);
      if (handle == nullptr) {
        ADD_FAILURE() << control.name << " is missing";
        continue;
      }
      const PixelRect actual = ClientPlaceOf(handle, window);
      const PixelRect expected = ToPixels(OnWindow(control), dpi);
      EXPECT_TRUE(WithinOnePixel(actual, expected)) << control.name << " at " << actual << ", expected " << expected;
    }

    // A line is its two ends, the last pixel drawn included, and a row or two.
    HWND line = GetDlgItem(window, ids::Line1);
    ASSERT_NE(line, nullptr) << "Line1 is missing";
    const PixelRect actual = ClientPlaceOf(line, window);
    const PixelRect expected = ToPixels(OnWindow(layout::kLine1), dpi);
    const PixelRect ends{actual.left, actual.top, actual.width - 1, 0};
    EXPECT_TRUE(WithinOnePixel(ends, expected)) << "Line1 from " << actual.left << " to " << actual.left + actual.width - 1
                                                << " at " << actual.top << ", expected from " << expected.left << " to "
                                                << expected.left + expected.width << " at " << expected.top;
    EXPECT_LE(actual.height, 2) << "Line1 is " << actual.height << " pixels high";
  }

  bool ShowsItsColon(const ExpectedControl& label) const {
    RECT area{};
    GetWindowRect(GetDlgItem(program.Window(), label.id), &area);
    return EndsWithColon(CaptureScreen(area));
  }

  // Text measured at one DPI may not fit the same twips at another: a label
  // then clips its caption or wraps it, and the colon is the first to go.
  void ExpectLabelsShowTheirWholeCaption() const {
    ASSERT_TRUE(MakeForeground(program.Window()));
    ASSERT_TRUE(SyncWith(program.Window()));
    const auto all_whole = [&] {
      for (const ExpectedControl& control : kExpectedControls)
        if (control.kind == Kind::Label && !ShowsItsColon(control)) return false;
      return true;
    };
    // A label not painted yet shows nothing: give the window time to paint.
    if (WaitUntil(all_whole, std::chrono::milliseconds(5000))) return;
    for (const ExpectedControl& control : kExpectedControls) {
      if (control.kind == Kind::Label) {
        EXPECT_TRUE(ShowsItsColon(control))
            << control.name << " " << testing::PrintToString(std::wstring(control.caption))
            << " does not show its whole caption: the colon is cut off or wrapped away";
      }
    }
  }
};

TEST_F(WindowLayout, MatchesTheFormAtDpi96) {
  if (!RunsAtDpi(96)) GTEST_SKIP() << "the screen is not at 96 DPI";
  ExpectLayoutAt(96);
  ExpectLabelsShowTheirWholeCaption();
}

TEST_F(WindowLayout, MatchesTheFormAtDpi150) {
  if (!RunsAtDpi(144)) GTEST_SKIP() << "the screen is not at 144 DPI";
  ExpectLayoutAt(144);
  ExpectLabelsShowTheirWholeCaption();
}

std::wstring ClassFor(Kind kind) {
  switch (kind) {
    case Kind::Frame:
    case Kind::Button: return L"Button";
    case Kind::Label: return L"Static";
    case Kind::Edit: return L"Edit";
    case Kind::Progress: return L"msctls_progress32";
  }
  return L"?";
}

TEST_F(WindowLayout, EveryControlIsWhatTheFormSaysWithItsCaption) {
  EXPECT_EQ(TextOf(program.Window()), L"Stavrel");
  for (const ExpectedControl& control : kExpectedControls) {
    HWND handle = GetDlgItem(program.Window(), control.id);
    if (handle == nullptr) {
      ADD_FAILURE() << control.name << " is missing";
      continue;
    }
    EXPECT_EQ(ClassNameOf(handle), ClassFor(control.kind)) << control.name;
    const LONG type = GetWindowLongW(handle, GWL_STYLE) & BS_TYPEMASK;
    if (control.kind == Kind::Frame) {
      EXPECT_EQ(type, BS_GROUPBOX) << control.name << " is no group box";
    }
    if (control.kind == Kind::Button) {
      EXPECT_TRUE(type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) << control.name << " is no push button";
    }
    if (control.caption != nullptr) {
      EXPECT_EQ(TextOf(handle), control.caption) << control.name;
    }
  }
}

}  // namespace
}  // namespace stavrel::ui
