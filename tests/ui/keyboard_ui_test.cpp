// The keyboard as a user uses it: where the focus starts, where Tab takes
// it, and the About button's access key (Alt+Q is with the ways to quit).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard_input.h"
#include "stavrel_window_test.h"
#include "waiting.h"

namespace stavrel::ui {
namespace {

struct NamedId {
  const char* name;
  int id;
};

// clang-format off
const std::vector<NamedId> kTabOrder = {
  {"txtFactor", ids::txtFactor},         {"txtFile1", ids::txtFile1},
  {"txtFile2", ids::txtFile2},           {"cmdBrowse(0)", ids::cmdBrowse_0 + 0},
  {"cmdBrowse(1)", ids::cmdBrowse_0 + 1}, {"txtVarFound", ids::txtVarFound},
  {"cmdConvert", ids::cmdConvert},       {"cmdClear", ids::cmdClear},
  {"txtDecompress", ids::txtDecompress}, {"cmdDecompress", ids::cmdDecompress},
  {"cmdCompress", ids::cmdCompress},     {"txtCompress", ids::txtCompress},
  {"cmdBrowse(2)", ids::cmdBrowse_0 + 2}, {"cmdBrowse(3)", ids::cmdBrowse_0 + 3},
  {"txtFName", ids::txtFName},           {"cmdAbout", ids::cmdAbout},
  {"cmdExit", ids::cmdExit},
};
// clang-format on

class KeyboardTest : public StavrelWindowTest {
 protected:
  void SetUp() override { ASSERT_TRUE(MakeForeground(program.Window())) << "the window did not come to the front"; }

  std::string FocusedName() const {
    HWND focus = FocusedControl(program.Window());
    if (focus == nullptr) return "(nothing)";
    for (const auto& control : kTabOrder) {
      if (GetDlgItem(program.Window(), control.id) == focus) return control.name;
    }
    return "(id " + std::to_string(GetDlgCtrlID(focus)) + ")";
  }

  // Presses a key and waits for the focus to move, then names where it went.
  std::string FocusAfter(void (*press)(WORD), WORD key) const {
    HWND before = FocusedControl(program.Window());
    press(key);
    WaitUntil([&] { return FocusedControl(program.Window()) != before; }, std::chrono::milliseconds(5000));
    return FocusedName();
  }
};

std::vector<std::string> Names(const std::vector<NamedId>& controls) {
  std::vector<std::string> names;
  for (const auto& control : controls) names.push_back(control.name);
  return names;
}

TEST_F(KeyboardTest, FocusStartsInTheFactorBox) { EXPECT_EQ(FocusedName(), "txtFactor"); }

TEST_F(KeyboardTest, TabVisitsEveryControlInOrderAndWrapsAround) {
  std::vector<std::string> visited{FocusedName()};
  for (std::size_t i = 0; i < kTabOrder.size(); ++i) visited.push_back(FocusAfter(PressKey, VK_TAB));

  std::vector<std::string> expected = Names(kTabOrder);
  expected.push_back(expected.front());
  EXPECT_EQ(visited, expected);
}

TEST_F(KeyboardTest, ShiftTabGoesBackwards) {
  std::vector<std::string> visited;
  for (int i = 0; i < 3; ++i) visited.push_back(FocusAfter(PressKeyWithShift, VK_TAB));
  EXPECT_EQ(visited, (std::vector<std::string>{"cmdExit", "cmdAbout", "txtFName"}));
}

TEST_F(KeyboardTest, AltAShowsAboutAndTheProgramGoesOn) {
  PressAltKey('A');
  const MessageBoxWindow box = WaitForMessageBox();
  ASSERT_TRUE(box.Found()) << "no About box";
  EXPECT_EQ(box.Title(), L"About Stavrel");
  EXPECT_NE(box.Text(), L"");
  EXPECT_EQ(box.Icon(), IconLook::Blue) << NameOf(box.Icon());
  EXPECT_EQ(box.Owner(), program.Window());
  box.PressOk();
  ASSERT_TRUE(box.WaitUntilClosed());
  EXPECT_FALSE(program.Process().HasEnded());
}

}  // namespace
}  // namespace stavrel::ui
