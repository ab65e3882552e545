#include <gtest/gtest.h>

#include "platform_under_test.h"
#include "test_files.h"

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

struct GzipPlaces {
  const wchar_t* program_folder;
  std::vector<std::wstring> places;
};

class GzipLocationsTest : public testing::TestWithParam<GzipPlaces> {};

TEST_P(GzipLocationsTest, BesideTheProgramFirst) {
  EXPECT_EQ(stavrel::test::MakePlatform(GetParam().program_folder)->GzipLocations(), GetParam().places);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Cases, GzipLocationsTest,
                         testing::Values(GzipPlaces{L"C:\\Apps", {L"C:\\Apps\\gzip.exe"}},
                                         GzipPlaces{L"C:\\", {L"C:\\\\gzip.exe"}}));
#else
// Installed as <prefix>/bin/stavrel-cli, gzip is <prefix>/libexec/stavrel/gzip.
INSTANTIATE_TEST_SUITE_P(
    Cases, GzipLocationsTest,
    testing::Values(GzipPlaces{L"\\usr\\bin", {L"\\usr\\bin\\gzip.exe", L"\\usr\\libexec\\stavrel\\gzip"}},
                    GzipPlaces{L"\\opt\\st av\\bin", {L"\\opt\\st av\\bin\\gzip.exe", L"\\opt\\st av\\libexec\\stavrel\\gzip"}},
                    GzipPlaces{L"\\", {L"\\\\gzip.exe", L"\\libexec\\stavrel\\gzip"}}));
#endif

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
