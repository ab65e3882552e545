#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "file_fixtures.h"
#include "inheritable_pipe.h"
#include "platform_under_test.h"
#include "test_files.h"

using stavrel::ErrorKind;
using stavrel::ProcessLaunch;

namespace {

bool NoPump() { return true; }

ProcessLaunch LaunchChild(const std::wstring& arguments,
                          const std::wstring& working_directory = L"") {
  const std::wstring program = ChildProgramPath();
  return ProcessLaunch{program, L"\"" + program + L"\" " + arguments, working_directory, {}};
}

int RunChild(const std::wstring& arguments, std::wstring* error_output = nullptr) {
  auto child = MakePlatform()->StartProcess(LaunchChild(arguments));
  const int exit_code = child->Wait(NoPump).value();
  if (error_output != nullptr) *error_output = child->ErrorOutput();
  return exit_code;
}

class ExitCodeTest : public testing::TestWithParam<int> {};

TEST_P(ExitCodeTest, WaitReturnsTheExitCode) {
  std::wstring error_output = L"unset";
  EXPECT_EQ(RunChild(L"--exit " + std::to_wstring(GetParam()), &error_output), GetParam());
  EXPECT_EQ(error_output, L"");
}

INSTANTIATE_TEST_SUITE_P(Codes, ExitCodeTest, testing::Values(0, 1, 2, 7, 255));

struct ErrorOutputCase {
  const char* name;
  const wchar_t* arguments;
  const wchar_t* expected;
};

class ErrorOutputTest : public testing::TestWithParam<ErrorOutputCase> {};

TEST_P(ErrorOutputTest, IsDecodedWithoutTheFinalLineBreak) {
  std::wstring error_output;
  EXPECT_EQ(RunChild(GetParam().arguments, &error_output), 3);
  EXPECT_EQ(error_output, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorOutputTest,
    testing::Values(
        ErrorOutputCase{"Plain", L"--stderr \"bad input file\" --exit 3", L"bad input file"},
        ErrorOutputCase{"Utf8", L"--stderr-hex 636166C3A90A --exit 3", L"caf\u00e9"},
        // Not UTF-8: taken as the ANSI code page (Latin-1 on Linux).
        ErrorOutputCase{"AnsiCodePage", L"--stderr-hex 636166E90D0A --exit 3", L"caf\u00e9"},
        ErrorOutputCase{"InnerLineBreaksStay", L"--stderr-hex 6F6E650D0A74776F0D0A0D0A --exit 3",
                        L"one\r\ntwo"},
        ErrorOutputCase{"InPieces", L"--stderr first --sleep-ms 40 --stderr second --exit 3",
                        L"first\nsecond"}),
    [](const testing::TestParamInfo<ErrorOutputCase>& info) { return info.param.name; });

TEST(ChildProcess, LargeErrorOutputDoesNotBlockTheChild) {
  // Several times any pipe buffer: the child can only finish if Wait reads
  // while it waits.
  constexpr std::size_t kSize = 1u << 20;
  std::wstring error_output;
  EXPECT_EQ(RunChild(L"--stderr-bytes " + std::to_wstring(kSize) + L" --exit 4", &error_output), 4);
  ASSERT_EQ(error_output.size(), kSize);
  for (std::size_t at = 0; at < kSize; at += 4099) {
    ASSERT_EQ(error_output[at], static_cast<wchar_t>(L'a' + at % 26)) << at;
  }
}

TEST(ChildProcess, RunsInTheGivenWorkingDirectory) {
  stavrel::test::TempFolder folder;
  const std::wstring work = folder / L"w\u00f6rk dir";
  MakeFolder(work);
  auto child = MakePlatform()->StartProcess(LaunchChild(L"--write-self here.txt --exit 0", work));
  EXPECT_EQ(child->Wait(NoPump), 0);
  EXPECT_EQ(ReadBytes(work + L"\\here.txt"), Utf8Of(PlatformPath(NativePath(ChildProgramPath()))));
}

// A folder with a blank and an unquoted command line: Windows, asked to
// guess, would try "...\dir.exe" first. The program given must run.
TEST(ChildProcess, RunsTheGivenProgramWhenItsFolderHasABlank) {
  stavrel::test::TempFolder folder;
  MakeFolder(folder / L"dir with blank");
  const std::wstring program = folder / L"dir with blank\\" + ProgramFileName(L"platform_child");
  CopyProgram(ChildProgramPath(), program);
  CopyProgram(ChildProgramPath(), folder / ProgramFileName(L"dir"));
  for (const std::wstring& command_line : {program + L" --write-self ran.txt --exit 5",
                                           L"\"" + program + L"\" --write-self ran.txt --exit 5"}) {
    auto child = MakePlatform()->StartProcess(ProcessLaunch{program, command_line, folder.Folder(), {}});
    EXPECT_EQ(child->Wait(NoPump), 5);
    EXPECT_EQ(ReadBytes(folder / L"ran.txt"), Utf8Of(PlatformPath(NativePath(program))));
  }
}

TEST(ChildProcess, PumpRunsWhileWaiting) {
  stavrel::test::TempFolder folder;
  // The child waits for a file that only the pump creates, so Wait can only
  // return if it pumps while the child runs.
  auto child =
      MakePlatform()->StartProcess(LaunchChild(L"--wait-for go.txt --exit 6", folder.Folder()));
  int pumped = 0;
  const std::optional<int> exit_code = child->Wait([&] {
    if (++pumped == 3) WriteBytes(folder / L"go.txt", "");
    return true;
  });
  EXPECT_EQ(exit_code, 6);
  EXPECT_GE(pumped, 3);
}

TEST(ChildProcess, PumpCanStopTheWaitButNotForAnEndedChild) {
  stavrel::test::TempFolder folder;
  auto running = MakePlatform()->StartProcess(LaunchChild(L"--wait-for go.txt --exit 0", folder.Folder()));
  EXPECT_EQ(running->Wait([] { return false; }), std::nullopt);
  running->Kill();

  // A child that ended while the user was being asked has nothing to stop.
  auto ended = MakePlatform()->StartProcess(LaunchChild(L"--exit 4", folder.Folder()));
  EXPECT_EQ(ended->Wait([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return false;
  }), 4);
}

TEST(ChildProcess, UnsetsOnlyTheVariablesItIsTold) {
  stavrel::test::TempFolder folder;
  const stavrel::test::ScopedEnvironment gzip_options(L"GZIP", L"-N");
  const stavrel::test::ScopedEnvironment kept(L"STAVREL_KEPT", L"yes");
  ProcessLaunch launch = LaunchChild(L"--stderr-env GZIP --stderr-env gzip --stderr-env STAVREL_KEPT", folder.Folder());
  launch.unset_environment = {L"GZIP"};
  auto child = MakePlatform()->StartProcess(launch);
  EXPECT_EQ(child->Wait(NoPump), 0);
  const std::wstring said = child->ErrorOutput();
  EXPECT_NE(said.find(L"GZIP=(unset)"), std::wstring::npos) << testing::PrintToString(said);
  EXPECT_NE(said.find(L"STAVREL_KEPT=yes"), std::wstring::npos) << testing::PrintToString(said);
}

TEST(ChildProcess, InheritsNothingButItsOwnHandles) {
  stavrel::test::TempFolder folder;
  InheritablePipe pipe;
  auto child =
      MakePlatform()->StartProcess(LaunchChild(L"--wait-for go.txt --exit 0", folder.Folder()));
  // The child is still waiting for go.txt, so a write end it inherited
  // would still be open.
  pipe.CloseWriteEnd();
  EXPECT_FALSE(pipe.WriteEndHeldElsewhere());
  WriteBytes(folder / L"go.txt", "");
  EXPECT_EQ(child->Wait(NoPump), 0);
}

TEST(ChildProcess, KillEndsASleepingChild) {
  auto child = MakePlatform()->StartProcess(LaunchChild(L"--sleep-ms 600000 --exit 0"));
  child->Kill();
  EXPECT_NE(child->Wait(NoPump), 0);
}

TEST(ChildProcess, KillAfterTheEndChangesNothing) {
  auto child = MakePlatform()->StartProcess(LaunchChild(L"--exit 9"));
  EXPECT_EQ(child->Wait(NoPump), 9);
  child->Kill();
  EXPECT_EQ(child->Wait(NoPump), 9);
}

TEST(ChildProcess, DroppingARunningChildEndsIt) {
  // Would hang here for ten minutes if the child were waited for instead.
  MakePlatform()->StartProcess(LaunchChild(L"--sleep-ms 600000 --exit 0")).reset();
}

TEST(ChildProcess, MissingProgramIsNotFound) {
  stavrel::test::TempFolder folder;
  const std::wstring program = folder / ProgramFileName(L"missing");
  const stavrel::SystemError error = CatchSystemError([&] {
    MakePlatform()->StartProcess(ProcessLaunch{program, L"\"" + program + L"\"", L"", {}});
  });
  EXPECT_EQ(error.Kind(), ErrorKind::NotFound);
  EXPECT_EQ(error.Path(), program);
  EXPECT_EQ(error.Operation(), L"start");
}

TEST(ChildProcess, MissingWorkingDirectoryIsNamed) {
  stavrel::test::TempFolder folder;
  const std::wstring work = folder / L"missing";
  const stavrel::SystemError error =
      CatchSystemError([&] { MakePlatform()->StartProcess(LaunchChild(L"--exit 0", work)); });
  EXPECT_EQ(error.Path(), work);
  EXPECT_EQ(error.Operation(), L"start");
}

}  // namespace
