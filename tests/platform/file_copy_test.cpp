#include <gtest/gtest.h>

#include <optional>

#include "file_fixtures.h"
#include "platform_under_test.h"
#include "test_files.h"

using stavrel::ErrorKind;

namespace {

struct CopyCase {
  const char* name;
  bool source_exists;
  bool target_folder_exists;
  bool target_exists;
  bool replace;
  std::optional<ErrorKind> error;  // none: the copy succeeds
  bool error_names_source;
};

class CopyFileTest : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyFileTest, CopiesExactBytesOrFailsNamingTheRightFile) {
  const CopyCase& c = GetParam();
  stavrel::test::TempFolder folder;
  const std::wstring from = folder / L"s\u00e4ve 1.srm";
  const std::wstring target_folder = folder / L"copies";
  const std::wstring to = target_folder + L"\\s\u00e4ve 1.srm";
  // Odd sizes, longer than one copy chunk; the old target is longer still, so
  // a copy that does not truncate shows.
  const std::string source_bytes = AwkwardBytes((3u << 20) / 2 + 7);
  const std::string old_target_bytes = AwkwardBytes(2u << 20).substr(1);
  if (c.source_exists) WriteBytes(from, source_bytes);
  if (c.target_folder_exists) MakeFolder(target_folder);
  if (c.target_exists) WriteBytes(to, old_target_bytes);
  auto platform = MakePlatform();

  if (!c.error) {
    platform->CopyFile(from, to, c.replace);
    EXPECT_EQ(ReadBytes(to), source_bytes);
    EXPECT_EQ(ReadBytes(from), source_bytes);
    return;
  }
  const stavrel::SystemError error =
      CatchSystemError([&] { platform->CopyFile(from, to, c.replace); });
  EXPECT_EQ(error.Kind(), *c.error);
  EXPECT_EQ(error.Path(), c.error_names_source ? from : to);
  EXPECT_EQ(error.Operation(), L"copy");
  EXPECT_FALSE(error.Reason().empty());
  if (c.target_exists) {
    EXPECT_EQ(ReadBytes(to), old_target_bytes);
  } else if (c.target_folder_exists) {
    EXPECT_FALSE(Exists(to));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyFileTest,
    testing::Values(
        CopyCase{"NewTarget", true, true, false, false, std::nullopt, false},
        CopyCase{"NewTargetWithReplace", true, true, false, true, std::nullopt, false},
        CopyCase{"ReplacesLongerTarget", true, true, true, true, std::nullopt, false},
        CopyCase{"KeepsExistingTarget", true, true, true, false, ErrorKind::AlreadyExists, false},
        CopyCase{"MissingSource", false, true, false, false, ErrorKind::NotFound, true},
        CopyCase{"MissingSourceWithReplace", false, true, true, true, ErrorKind::NotFound, true},
        CopyCase{"MissingTargetFolder", true, false, false, false, ErrorKind::NotFound, false}),
    [](const testing::TestParamInfo<CopyCase>& info) { return info.param.name; });

TEST(CopyFile, CopiesAnEmptyFile) {
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"empty", "");
  MakePlatform()->CopyFile(folder / L"empty", folder / L"copy", false);
  EXPECT_TRUE(Exists(folder / L"copy"));
  EXPECT_EQ(ReadBytes(folder / L"copy"), "");
}

TEST(CopyFile, NeverCopiesAFileOntoItself) {
  stavrel::test::TempFolder folder;
  MakeFolder(folder / L"dir");
  const std::wstring file = folder / L"dir\\f\u00efle";
  WriteBytes(file, "keep me");
  auto platform = MakePlatform();
  for (const std::wstring& other_name : {file, folder / L"dir\\.\\f\u00efle"}) {
    const stavrel::SystemError error =
        CatchSystemError([&] { platform->CopyFile(file, other_name, true); });
    EXPECT_EQ(error.Kind(), ErrorKind::AccessDenied);
    EXPECT_EQ(ReadBytes(file), "keep me");
  }
}

TEST(CopyFile, ReadOnlyTargetIsNotReplaced) {
  stavrel::test::TempFolder folder;
  if (!ReadOnlyIsEnforced(folder.Folder())) GTEST_SKIP() << "this user writes to read-only files";
  WriteBytes(folder / L"source", "new");
  WriteBytes(folder / L"target", "old");
  SetReadOnly(folder / L"target", true);
  const stavrel::SystemError error = CatchSystemError(
      [&] { MakePlatform()->CopyFile(folder / L"source", folder / L"target", true); });
  EXPECT_EQ(error.Kind(), ErrorKind::AccessDenied);
  EXPECT_EQ(error.Path(), folder / L"target");
  EXPECT_EQ(ReadBytes(folder / L"target"), "old");
}

}  // namespace
