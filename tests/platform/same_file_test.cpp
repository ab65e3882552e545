#include <gtest/gtest.h>

#include "file_fixtures.h"
#include "platform_under_test.h"
#include "test_files.h"

namespace {

#ifdef _WIN32
constexpr bool kCaseInsensitive = true;
#else
constexpr bool kCaseInsensitive = false;
#endif

struct SameFileCase {
  const char* name;
  // Inside a test folder holding dir\f, dir\twin (same bytes as f), the
  // folder dir\sub and, where the file system allows, dir\link, a hard link
  // to f.
  const wchar_t* a;
  const wchar_t* b;
  bool same;
};

class SameFileTest : public testing::TestWithParam<SameFileCase> {};

TEST_P(SameFileTest, ComparesFilesNotNames) {
  const SameFileCase& c = GetParam();
  stavrel::test::TempFolder folder;
  MakeFolder(folder / L"dir");
  MakeFolder(folder / L"dir\\sub");
  WriteBytes(folder / L"dir\\f", "same bytes");
  WriteBytes(folder / L"dir\\twin", "same bytes");
  const bool has_link = TryMakeHardLink(folder / L"dir\\f", folder / L"dir\\link");
  if (std::wstring(c.b) == L"dir\\link" && !has_link) GTEST_SKIP() << "no hard links here";
  EXPECT_EQ(MakePlatform()->SameFile(folder / c.a, folder / c.b), c.same);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameFileTest,
    testing::Values(SameFileCase{"SamePath", L"dir\\f", L"dir\\f", true},
                    SameFileCase{"DotInPath", L"dir\\f", L"dir\\.\\f", true},
                    SameFileCase{"DotDotInPath", L"dir\\f", L"dir\\sub\\..\\f", true},
                    SameFileCase{"ForwardSlash", L"dir\\f", L"dir/f", true},
                    SameFileCase{"OtherCase", L"dir\\f", L"DIR\\F", kCaseInsensitive},
                    SameFileCase{"HardLink", L"dir\\f", L"dir\\link", true},
                    SameFileCase{"SameBytesOtherFile", L"dir\\f", L"dir\\twin", false},
                    SameFileCase{"FileAndItsFolder", L"dir\\f", L"dir", false},
                    SameFileCase{"FirstMissing", L"dir\\missing", L"dir\\f", false},
                    SameFileCase{"SecondMissing", L"dir\\f", L"dir\\missing", false},
                    SameFileCase{"BothMissing", L"dir\\missing", L"dir\\missing", false},
                    SameFileCase{"MissingFolder", L"nowhere\\f", L"nowhere\\f", false}),
    [](const testing::TestParamInfo<SameFileCase>& info) { return info.param.name; });

TEST(SameFile, AnswersForAFileOpenWithoutSharing) {
  stavrel::test::TempFolder folder;
  MakeFolder(folder / L"dir");
  auto platform = MakePlatform();
  auto writing = platform->CreateNew(folder / L"dir\\busy");
  writing->Keep();
  EXPECT_TRUE(platform->SameFile(folder / L"dir\\busy", folder / L"dir\\.\\busy"));
  writing->Close();
}

}  // namespace
