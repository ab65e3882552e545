#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "file_fixtures.h"
#include "platform_under_test.h"
#include "test_files.h"

using stavrel::ErrorKind;

namespace {

// What is under the target name when target_exists is set.
enum class Target { File, ReadOnlyFile, DanglingLink };

struct RenameCase {
  const char* name;
  bool source_exists;
  bool target_folder_exists;
  bool target_exists;
  bool replace;
  std::optional<ErrorKind> error;  // none: the rename succeeds
  bool error_names_source;
  Target target = Target::File;
};

class RenameFileTest : public testing::TestWithParam<RenameCase> {};

TEST_P(RenameFileTest, MovesTheFileOrLeavesBothAlone) {
  const RenameCase& c = GetParam();
  stavrel::test::TempFolder folder;
  const std::wstring from = folder / L"s\u00e4ve.tmp";
  const std::wstring to = folder / L"dir\\s\u00e4ve.srm";
  if (c.source_exists) WriteBytes(from, "new contents");
  if (c.target_folder_exists) MakeFolder(folder / L"dir");
  if (c.target_exists && c.target != Target::DanglingLink) WriteBytes(to, "old");
  if (c.target_exists && c.target == Target::ReadOnlyFile) SetReadOnly(to, true);
  if (c.target_exists && c.target == Target::DanglingLink && !TryMakeSymbolicLink(L"nowhere", to))
    GTEST_SKIP() << "no symbolic links here";
  auto platform = MakePlatform();

  if (!c.error) {
    platform->RenameFile(from, to, c.replace);
    EXPECT_FALSE(Exists(from));
    EXPECT_EQ(ReadBytes(to), "new contents");
    // A link is replaced itself; nothing is made where it pointed.
    EXPECT_FALSE(Exists(folder / L"dir\\nowhere"));
    return;
  }
  const stavrel::SystemError error =
      CatchSystemError([&] { platform->RenameFile(from, to, c.replace); });
  EXPECT_EQ(error.Kind(), *c.error);
  EXPECT_EQ(error.Path(), c.error_names_source ? from : to);
  EXPECT_EQ(error.Operation(), L"rename");
  if (c.source_exists) {
    EXPECT_EQ(ReadBytes(from), "new contents");
  }
  if (c.target_exists && c.target != Target::DanglingLink) {
    EXPECT_EQ(ReadBytes(to), "old");
  }
  if (c.target == Target::DanglingLink) {
    EXPECT_TRUE(platform->NameTaken(to));
    EXPECT_FALSE(Exists(folder / L"dir\\nowhere"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameFileTest,
    testing::Values(
        RenameCase{"NewName", true, true, false, false, std::nullopt, false},
        RenameCase{"NewNameWithReplace", true, true, false, true, std::nullopt, false},
        RenameCase{"ReplacesTarget", true, true, true, true, std::nullopt, false},
        RenameCase{"KeepsExistingTarget", true, true, true, false, ErrorKind::AlreadyExists, false},
        RenameCase{"MissingSource", false, true, false, false, ErrorKind::NotFound, true},
        RenameCase{"MissingSourceWithReplace", false, true, true, true, ErrorKind::NotFound, true},
        RenameCase{"MissingTargetFolder", true, false, false, false, ErrorKind::NotFound, false},
        RenameCase{"RefusesReadOnlyTarget", true, true, true, true, ErrorKind::AccessDenied, false,
                   Target::ReadOnlyFile},
        RenameCase{"KeepsDanglingLink", true, true, true, false, ErrorKind::AlreadyExists, false,
                   Target::DanglingLink},
        RenameCase{"ReplacesDanglingLinkItself", true, true, true, true, std::nullopt, false,
                   Target::DanglingLink}),
    [](const testing::TestParamInfo<RenameCase>& info) { return info.param.name; });

struct RemoveCase {
  const char* name;
  const wchar_t* path;  // inside the test folder, which holds "file" and "folder"
  std::optional<ErrorKind> error;
};

class RemoveFileTest : public testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveFileTest, RemovesFilesOnly) {
  const RemoveCase& c = GetParam();
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"file", "x");
  MakeFolder(folder / L"folder");
  const std::wstring path = folder / c.path;
  auto platform = MakePlatform();
  if (!c.error) {
    platform->RemoveFile(path);
    EXPECT_FALSE(Exists(path));
    return;
  }
  const stavrel::SystemError error = CatchSystemError([&] { platform->RemoveFile(path); });
  EXPECT_EQ(error.Kind(), *c.error);
  EXPECT_EQ(error.Path(), path);
  EXPECT_EQ(error.Operation(), L"delete");
  EXPECT_TRUE(Exists(folder / L"folder"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveFileTest,
    testing::Values(RemoveCase{"File", L"file", std::nullopt},
                    RemoveCase{"Missing", L"missing", ErrorKind::NotFound},
                    RemoveCase{"InMissingFolder", L"missing\\file", ErrorKind::NotFound},
                    RemoveCase{"Folder", L"folder", ErrorKind::AccessDenied}),
    [](const testing::TestParamInfo<RemoveCase>& info) { return info.param.name; });

struct ExistsCase {
  const char* name;
  // Inside the test folder, which holds "file", "folder" and, where the
  // system lets this process make links, "to file", "to folder" and
  // "dangling", links to the first two and to nothing.
  const wchar_t* path;
  bool exists;
  bool name_taken;
};

class FileExistsTest : public testing::TestWithParam<ExistsCase> {};

TEST_P(FileExistsTest, TrueForFilesOnlyAndTakenByAnything) {
  const ExistsCase& c = GetParam();
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"file", "x");
  MakeFolder(folder / L"folder");
  if (std::wstring(c.path).starts_with(L"to ") || std::wstring(c.path) == L"dangling") {
    if (!TryMakeSymbolicLink(L"file", folder / L"to file") ||
        !TryMakeSymbolicLink(L"folder", folder / L"to folder", /*to_folder=*/true) ||
        !TryMakeSymbolicLink(L"missing", folder / L"dangling"))
      GTEST_SKIP() << "no symbolic links here";
  }
  auto platform = MakePlatform();
  EXPECT_EQ(platform->FileExists(folder / c.path), c.exists);
  EXPECT_EQ(platform->NameTaken(folder / c.path), c.name_taken);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileExistsTest,
                         testing::Values(ExistsCase{"File", L"file", true, true},
                                         ExistsCase{"FileOtherSpelling", L"folder\\..\\file", true, true},
                                         ExistsCase{"Folder", L"folder", false, true},
                                         ExistsCase{"Missing", L"missing", false, false},
                                         ExistsCase{"InMissingFolder", L"missing\\file", false, false},
                                         ExistsCase{"FileTakenForAFolder", L"file\\inside", false, false},
                                         ExistsCase{"LinkToFile", L"to file", true, true},
                                         ExistsCase{"LinkToFolder", L"to folder", false, true},
                                         ExistsCase{"DanglingLink", L"dangling", false, true}),
                         [](const testing::TestParamInfo<ExistsCase>& info) {
                           return info.param.name;
                         });

TEST(FileOperations, CreateNewInReadOnlyFolderIsAccessDenied) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows ignores the read-only attribute on folders";
#else
  stavrel::test::TempFolder folder;
  if (!ReadOnlyIsEnforced(folder.Folder())) GTEST_SKIP() << "this user writes to read-only files";
  MakeFolder(folder / L"locked");
  SetReadOnly(folder / L"locked", true);
  const stavrel::SystemError error =
      CatchSystemError([&] { MakePlatform()->CreateNew(folder / L"locked\\new"); });
  EXPECT_EQ(error.Kind(), ErrorKind::AccessDenied);
  EXPECT_EQ(error.Path(), folder / L"locked\\new");
#endif
}

// Every operation on a path well past MAX_PATH, spelled with a detour through
// ".." that must be resolved before the path can be used.
TEST(FileOperations, PathsLongerThanMaxPath) {
  stavrel::test::TempFolder folder;
  std::wstring deep = folder.Folder();
  for (int level = 0; level < 5; ++level) {
    deep += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + level)) + L" \u00e9";
    MakeFolder(deep);
  }
  ASSERT_GT(deep.size(), 300u);
  const std::wstring file = deep + L"\\f\u00efle.sav";
  const std::wstring detour =
      deep + L"\\..\\" + deep.substr(deep.rfind(L'\\') + 1) + L"\\f\u00efle.sav";
  const std::wstring copy = deep + L"\\copy.sav";
  const std::wstring renamed = deep + L"\\renamed.sav";
  auto platform = MakePlatform();

  auto created = platform->CreateNew(file);
  created->WriteAt(0, std::as_bytes(std::span("long", 4)));
  created->Keep();
  created->Close();
  EXPECT_TRUE(platform->FileExists(file));
  EXPECT_TRUE(platform->SameFile(file, detour));
  platform->CopyFile(detour, copy, false);
  EXPECT_FALSE(platform->SameFile(file, copy));
  platform->RenameFile(copy, renamed, false);
  auto reopened = platform->OpenForReading(renamed);
  EXPECT_EQ(reopened->Length(), 4u);
  reopened->Close();
  platform->RemoveFile(renamed);
  EXPECT_FALSE(platform->FileExists(renamed));
  EXPECT_EQ(ReadBytes(file), "long");
}

#ifdef _WIN32
// Windows keeps read-only files from being deleted (Linux asks the folder).
TEST(FileOperations, ReadOnlyFileIsNotDeleted) {
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"locked", "old");
  SetReadOnly(folder / L"locked", true);
  const stavrel::SystemError error =
      CatchSystemError([&] { MakePlatform()->RemoveFile(folder / L"locked"); });
  EXPECT_EQ(error.Operation(), L"delete");
  EXPECT_EQ(error.Kind(), ErrorKind::AccessDenied);
  EXPECT_EQ(error.Path(), folder / L"locked");
  EXPECT_EQ(ReadBytes(folder / L"locked"), "old");
}

// Files open without sharing refuse others; the error must say "access
// denied" and name the busy file.
TEST(FileOperations, FileBeingWrittenIsNotShared) {
  stavrel::test::TempFolder folder;
  const std::wstring busy = folder / L"busy";
  WriteBytes(folder / L"other", "other");
  auto platform = MakePlatform();
  auto writing = platform->CreateNew(busy);
  writing->Keep();
  for (const auto& [operation, action] :
       std::initializer_list<std::pair<const wchar_t*, std::function<void()>>>{
           {L"open", [&] { platform->OpenForReading(busy); }},
           {L"copy", [&] { platform->CopyFile(busy, folder / L"copy", false); }},
           {L"copy", [&] { platform->CopyFile(folder / L"other", busy, true); }},
           {L"delete", [&] { platform->RemoveFile(busy); }},
       }) {
    const stavrel::SystemError error = CatchSystemError(action);
    EXPECT_EQ(error.Operation(), operation);
    EXPECT_EQ(error.Kind(), ErrorKind::AccessDenied) << operation;
    EXPECT_EQ(error.Path(), busy) << operation;
  }
  EXPECT_FALSE(Exists(folder / L"copy"));
  // Readers share with readers.
  writing->Close();
  auto first = platform->OpenForReading(busy);
  auto second = platform->OpenForReading(busy);
  second->Close();
  first->Close();
}
#endif

}  // namespace
