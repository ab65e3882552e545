// Every way a user ends the program ends it.
#include <gtest/gtest.h>

#include "keyboard_input.h"
#include "stavrel_window_test.h"

namespace stavrel::ui {
namespace {

struct QuitCase {
  const char* name;
  void (*quit)(const RunningProgram& program);
};

// clang-format off
const QuitCase kWaysToQuit[] = {
  {"AltQ", [](const RunningProgram& program) {
     MakeForeground(program.Window());
     PressAltKey('Q');
   }},
  {"QuitButton", [](const RunningProgram& program) { Press(program.Control(ids::cmdExit)); }},
  // What the close box of the title bar sends.
  {"CloseBox", [](const RunningProgram& program) {
     PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
   }},
};
// clang-format on

class Quitting : public StavrelWindowTest, public testing::WithParamInterface<QuitCase> {};

TEST_P(Quitting, EndsTheProgram) {
  // Work left in the boxes does not hold the program back.
  Type(ids::txtFactor, L"&H10");
  Type(ids::txtFile1, folder / L"in.mdl");
  GetParam().quit(program);
  EXPECT_TRUE(program.Process().WaitForEnd()) << "the program is still running";
}

INSTANTIATE_TEST_SUITE_P(Ways, Quitting, testing::ValuesIn(kWaysToQuit),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stavrel::ui
