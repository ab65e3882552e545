// What the window does around a gzip.exe run: the environment it gives
// gzip, and the question when the user wants to stop a gzip that hangs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gzip_bytes.h"
#include "keyboard_input.h"
#include "program_location.h"
#include "stavrel_window_test.h"
#include "test_files.h"
#include "waiting.h"

namespace stavrel::ui {
namespace {

using test::Gunzip;
using test::Gzip;

using test::ScopedEnvironment;

const Bytes kData(100000, 0x5a);

// A user's GZIP=-N would make gzip write the name stored in the state.
class GzipEnvironment : public testing::Test {
 protected:
  ScopedEnvironment gzip_options{L"GZIP", L"-N"};
  TempFolder folder;
  RunningProgram program;
};

TEST_F(GzipEnvironment, ChangesNothing) {
  WriteBytes(folder / L"game.sds", kData);
  SetText(program.Control(ids::txtCompress), folder / L"game.sds");
  ASSERT_TRUE(PressAndWait(program.Control(ids::cmdCompress)));
  SetText(program.Control(ids::txtDecompress), folder / L"game.000");
  SetText(program.Control(ids::txtFName), L"other.000");
  ASSERT_TRUE(PressAndWait(program.Control(ids::cmdDecompress))) << "a message box?";
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"other.sds"});
  EXPECT_EQ(ReadBytes(folder / L"other.sds"), kData);
}

// A program folder whose gzip.exe hangs until it is ended.
class HangingGzipFolder {
 public:
  HangingGzipFolder() {
    CopyFileW(StavrelExePath().c_str(), (folder_ / L"stavrel.exe").c_str(), FALSE);
    CopyFileW(HANGING_GZIP, (folder_ / L"gzip.exe").c_str(), FALSE);
  }
  std::wstring Path() const { return folder_.Path().substr(0, folder_.Path().size() - 1); }

 private:
  TempFolder folder_;
};

struct StopCase {
  const char* name;
  void (*ask)(const RunningProgram& program);
  bool ends_program;
};

class StoppingGzip : public testing::Test, public testing::WithParamInterface<StopCase> {
 protected:
  HangingGzipFolder program_folder;
  ScopedEnvironment use_it{L"STAVREL_PROGRAM_FOLDER", program_folder.Path()};
  TempFolder folder;
  RunningProgram program;
};

TEST_P(StoppingGzip, AsksThenLeavesTheStateAsItWas) {
  const Bytes state = Gzip(kData);
  WriteBytes(folder / L"game.003", state);
  SetText(program.Control(ids::txtDecompress), folder / L"game.003");
  SetText(program.Control(ids::txtFName), L"game.003");
  Press(program.Control(ids::cmdDecompress));
  // The stand-in leaves its process id in its working folder once it hangs.
  ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesW((folder / L"hang.pid").c_str()) != INVALID_FILE_ATTRIBUTES; }));

  GetParam().ask(program);
  const MessageBoxWindow question = MessageBoxWindow::WaitFor(program.ProcessId());
  ASSERT_TRUE(question.Found()) << "no question";
  EXPECT_EQ(question.Text(), L"gzip.exe is still working on " + (folder / L"game.003") +
                                 L". Stop it? The state stays as it was.");
  question.PressButton(IDYES);

  if (GetParam().ends_program) {
    EXPECT_TRUE(program.Process().WaitForEnd()) << "the program is still running";
  } else {
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.Control(ids::cmdDecompress)) != FALSE; }))
        << "the commands stayed disabled";
    EXPECT_FALSE(program.Process().HasEnded());
  }
  DeleteFileW((folder / L"hang.pid").c_str());
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"game.003"}) << "a temporary stayed";
  EXPECT_EQ(ReadBytes(folder / L"game.003"), state);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ways, StoppingGzip, testing::Values(
  StopCase{"Escape", [](const RunningProgram& program) {
     MakeForeground(program.Window());
     PressKey(VK_ESCAPE);
   }, false},
  StopCase{"CloseBox", [](const RunningProgram& program) {
     PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
   }, true}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace stavrel::ui
