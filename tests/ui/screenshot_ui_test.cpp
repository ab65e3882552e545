// A picture of the main window for people to look at, taken when
// STAVREL_UI_SCREENSHOT names the BMP to write (run-ui-tests.sh does).
#include <gtest/gtest.h>

#include <cstdlib>

#include "keyboard_input.h"
#include "screen_capture.h"
#include "stavrel_window_test.h"

namespace stavrel::ui {
namespace {

class Screenshot : public StavrelWindowTest {};

TEST_F(Screenshot, MainWindow) {
  const wchar_t* path = _wgetenv(L"STAVREL_UI_SCREENSHOT");
  if (path == nullptr || *path == L'\0') GTEST_SKIP() << "STAVREL_UI_SCREENSHOT names no file";

  // Boxes with text in them show whether the text fits their height.
  Type(ids::txtFactor, L"&H10");
  Type(ids::txtFile1, L"C:\\Games\\Modules\\region one.mdl");
  Type(ids::txtFile2, L"C:\\Games\\Modules\\converted.mdl");
  Type(ids::txtDecompress, L"C:\\Games\\States\\game.003");
  Type(ids::txtFName, L"game.003");
  ASSERT_TRUE(MakeForeground(program.Window()));
  RedrawWindow(program.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  ASSERT_TRUE(SyncWith(program.Window()));

  // Wine counts its own, wider frame into the window's rectangle; the bare
  // screen shows black around the window manager's frame there.
  const Picture picture = WithoutBlackEdges(SettledPictureOf(program.Window()));
  ASSERT_GT(picture.width, 0);
  EXPECT_TRUE(WriteBmp(picture, path)) << "cannot write the picture";
}

}  // namespace
}  // namespace stavrel::ui
