#include <gtest/gtest.h>

#include "platform_under_test.h"

#ifdef _WIN32
#include "platform/win32/program_folder.h"
#endif

namespace {

TEST(ProgramFolder, HoldsTheRunningProgram) {
  auto platform = MakePlatform();
  const std::wstring folder = platform->ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_TRUE(platform->FileExists(folder + L"\\" + ProgramFileName(L"platform_tests")));
  EXPECT_TRUE(platform->FileExists(ChildProgramPath()));
}

#ifdef _WIN32
struct FolderCase {
  const wchar_t* program;
  const wchar_t* folder;
};

class FolderOfProgramTest : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderOfProgramTest, KeepsTheBackslashOnlyAtADriveRoot) {
  EXPECT_EQ(stavrel::win32::platform::FolderOfProgram(GetParam().program), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderOfProgramTest,
                         testing::Values(FolderCase{L"C:\\Program Files\\Stavrel\\stavrel.exe",
                                                    L"C:\\Program Files\\Stavrel"},
                                         FolderCase{L"C:\\stavrel.exe", L"C:\\"},
                                         FolderCase{L"\\\\?\\C:\\stavrel.exe", L"\\\\?\\C:\\"},
                                         FolderCase{L"\\\\server\\share\\stavrel.exe",
                                                    L"\\\\server\\share"}));
#endif

}  // namespace
