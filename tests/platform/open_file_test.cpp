#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "file_fixtures.h"
#include "platform_under_test.h"
#include "test_files.h"

using stavrel::ErrorKind;

namespace {

std::span<const std::byte> AsBytes(std::string_view text) {
  return std::as_bytes(std::span(text.data(), text.size()));
}

std::string ReadAt(stavrel::OpenFile& file, std::uint64_t offset, std::size_t size) {
  std::vector<std::byte> buffer(size);
  const std::size_t got = file.ReadAt(offset, buffer);
  EXPECT_LE(got, size);
  return std::string(reinterpret_cast<const char*>(buffer.data()), got);
}

struct ReadCase {
  const char* name;
  std::uint64_t offset;
  std::size_t size;
  std::string_view expected;
};

class ReadAtTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadAtTest, ReadsUpToTheEndOfFile) {
  const ReadCase& c = GetParam();
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"data", "0123456789");
  auto file = MakePlatform()->OpenForReading(folder / L"data");
  EXPECT_EQ(ReadAt(*file, c.offset, c.size), c.expected);
  file->Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadAtTest,
    testing::Values(ReadCase{"Start", 0, 4, "0123"}, ReadCase{"Middle", 3, 4, "3456"},
                    ReadCase{"Whole", 0, 10, "0123456789"}, ReadCase{"AcrossTheEnd", 7, 10, "789"},
                    ReadCase{"AtTheEnd", 10, 4, ""}, ReadCase{"PastTheEnd", 1000, 4, ""},
                    ReadCase{"Nothing", 2, 0, ""}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(OpenFile, WritesAtOffsetsAndReadsBackAfterReopening) {
  stavrel::test::TempFolder folder;
  const std::wstring path = folder / L"n\u00e9w.sav";
  auto platform = MakePlatform();
  auto file = platform->CreateNew(path);
  EXPECT_EQ(file->Length(), 0u);
  const std::string block = AwkwardBytes(70000);
  file->WriteAt(0, AsBytes(block));
  file->WriteAt(4, AsBytes("ABCD"));
  // A write past the end leaves a gap that reads back as zeros.
  file->WriteAt(80000, AsBytes("end"));
  EXPECT_EQ(file->Length(), 80003u);
  EXPECT_EQ(ReadAt(*file, 2, 4), block.substr(2, 2) + "AB");
  file->Flush();
  file->Keep();
  file->Close();

  std::string expected = block;
  expected.replace(4, 4, "ABCD");
  expected += std::string(10000, '\0') + "end";
  EXPECT_EQ(ReadBytes(path), expected);
  auto reopened = platform->OpenForReading(path);
  EXPECT_EQ(reopened->Length(), 80003u);
  EXPECT_EQ(ReadAt(*reopened, 0, 100000), expected);
  reopened->Close();
}

// A new file is the system's to remove, where it offers that, should the
// process die before the file is kept: so Stavrel leaves no half-written
// file even when it is killed. Once kept, it stays and moves like any other.
TEST(OpenFile, NewFileStaysOnlyOnceKept) {
  stavrel::test::TempFolder folder;
  auto platform = MakePlatform();
  auto dropped = platform->CreateNew(folder / L"dropped");
  dropped->WriteAt(0, AsBytes("half"));
  dropped.reset();  // as the handles of a process that dies
#ifdef _WIN32
  EXPECT_FALSE(Exists(folder / L"dropped"));
#else
  EXPECT_TRUE(Exists(folder / L"dropped")) << "this system removes no file by itself";
#endif
  auto kept = platform->CreateNew(folder / L"kept");
  kept->WriteAt(0, AsBytes("whole"));
  kept->Keep();
  kept->Close();
  platform->RenameFile(folder / L"kept", folder / L"final", /*replace=*/false);
  EXPECT_EQ(ReadBytes(folder / L"final"), "whole");
}

TEST(OpenFile, OffsetsBeyondFourGigabytes) {
  stavrel::test::TempFolder folder;
  const std::wstring path = folder / L"sparse";
  const std::uint64_t far = (5ull << 32) + 3;
  auto file = MakePlatform()->CreateNew(path);
  // The file system keeps the hole sparse, so this costs no disk space.
  file->WriteAt(far, AsBytes("tail"));
  EXPECT_EQ(file->Length(), far + 4);
  EXPECT_EQ(ReadAt(*file, far - 2, 10), std::string(2, '\0') + "tail");
  // An offset cut to 32 bits would land here.
  EXPECT_EQ(ReadAt(*file, 3, 4), std::string(4, '\0'));
  file->Close();
}

TEST(OpenFile, FileOpenedForReadingRefusesWrites) {
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"data", "abc");
  auto file = MakePlatform()->OpenForReading(folder / L"data");
  const stavrel::SystemError error = CatchSystemError([&] { file->WriteAt(0, AsBytes("x")); });
  EXPECT_EQ(error.Operation(), L"write");
  EXPECT_EQ(error.Path(), folder / L"data");
  file->Close();
  EXPECT_EQ(ReadBytes(folder / L"data"), "abc");
}

struct OpenFailureCase {
  const char* name;
  bool create_new;  // else OpenForReading
  // Inside the test folder, which holds "file", "folder" and, where the
  // system has them, the named pipe "pipe" no program writes to.
  const wchar_t* path;
  ErrorKind kind;
};

class OpenFailureTest : public testing::TestWithParam<OpenFailureCase> {};

TEST_P(OpenFailureTest, NamesThePathAndTheKind) {
  const OpenFailureCase& c = GetParam();
  stavrel::test::TempFolder folder;
  WriteBytes(folder / L"file", "keep");
  MakeFolder(folder / L"folder");
  if (std::wstring(c.path) == L"pipe" && !TryMakeNamedPipe(folder / L"pipe")) GTEST_SKIP() << "no named pipes here";
  const std::wstring path = folder / c.path;
  auto platform = MakePlatform();
  const stavrel::SystemError error = CatchSystemError([&] {
    if (c.create_new) {
      platform->CreateNew(path);
    } else {
      platform->OpenForReading(path);
    }
  });
  EXPECT_EQ(error.Kind(), c.kind);
  EXPECT_EQ(error.Path(), path);
  EXPECT_EQ(error.Operation(), c.create_new ? L"create" : L"open");
  EXPECT_FALSE(error.Reason().empty());
  EXPECT_NE(error.Reason().back(), L'\n');
  EXPECT_EQ(ReadBytes(folder / L"file"), "keep");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenFailureTest,
    testing::Values(
        OpenFailureCase{"CreateExisting", true, L"file", ErrorKind::AlreadyExists},
        OpenFailureCase{"CreateOverFolder", true, L"folder", ErrorKind::AlreadyExists},
        OpenFailureCase{"CreateInMissingFolder", true, L"missing\\new", ErrorKind::NotFound},
        OpenFailureCase{"OpenMissing", false, L"missing", ErrorKind::NotFound},
        OpenFailureCase{"OpenInMissingFolder", false, L"missing\\file", ErrorKind::NotFound},
        OpenFailureCase{"OpenFolder", false, L"folder", ErrorKind::AccessDenied},
        // Opening it would wait for a writer for ever.
        OpenFailureCase{"OpenNamedPipe", false, L"pipe", ErrorKind::Other}),
    [](const testing::TestParamInfo<OpenFailureCase>& info) { return info.param.name; });

}  // namespace
