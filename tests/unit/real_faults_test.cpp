// Real failures of the system, not simulated ones: a locked or read-only
// destination, a full disk, a gzip.exe that hangs until it is killed or is
// stopped half-way.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <fstream>
#include <thread>

#include "module_converter.h"
#include "recording_window.h"
#include "state_files.h"
#include "test_files.h"

#ifdef _WIN32
#include <windows.h>

#include "base/win32/scoped_handles.h"
#else
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace stavrel {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::WriteBytes;

Bytes Module(std::size_t records) {
  Bytes bytes(records * 26);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 5);
  return bytes;
}

void ExpectError(const test::RecordingWindow& window, const std::wstring& names) {
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].title, L"Error");
  EXPECT_NE(window.messages[0].text.find(names), std::wstring::npos) << testing::PrintToString(window.messages[0].text);
  EXPECT_TRUE(window.CommandsEnabled());
}

bool KillProcess(long pid) {
#ifdef _WIN32
  const win32::KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid)));
  return process.Valid() && TerminateProcess(process.Get(), 1);
#else
  return kill(static_cast<pid_t>(pid), SIGKILL) == 0;
#endif
}

// Waits up to 20 s for `done`, as long as another process may take to
// start under a loaded Wine; says whether it came.
template <typename Condition>
bool WaitUntil(Condition done) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class RealFaults : public testing::Test {
 protected:
  test::TempFolder folder;
  std::unique_ptr<Platform> platform = test::MakePlatform();
  test::RecordingWindow window;

  void Convert(const std::wstring& source, const std::wstring& destination) {
    window.boxes[Box::Factor] = L"1";
    window.boxes[Box::File2] = destination;
    ConvertToSnes9x(window, *platform, source);
  }
};

TEST_F(RealFaults, LockedDestinationStaysAsItWas) {
#ifdef _WIN32
  const Bytes module = Module(10), before = {4, 5, 6};
  WriteBytes(folder / L"in.mdl", module);
  WriteBytes(folder / L"out.mdl", before);
  // Another program holds the destination open without sharing it.
  const std::wstring working_directory = folder.Folder();
  auto locker = platform->StartProcess({FILE_LOCKER, L"file_locker", working_directory, {}});
  ASSERT_TRUE(WaitUntil([&] { return test::Exists(folder / L"locked"); }))
      << testing::PrintToString(locker->ErrorOutput());
  std::filesystem::remove(test::NativePath(folder / L"locked"));
  Convert(folder / L"in.mdl", folder / L"out.mdl");
  locker->Kill();
  ExpectError(window, folder / L"out.mdl");
  EXPECT_EQ(ReadBytes(folder / L"out.mdl"), before);
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"out.mdl"}));
#else
  GTEST_SKIP() << "POSIX has no mandatory file locks";
#endif
}

TEST_F(RealFaults, ReadOnlyDestinationStaysAsItWas) {
  const Bytes module = Module(10), before = {4, 5, 6};
  WriteBytes(folder / L"in.mdl", module);
  WriteBytes(folder / L"out.mdl", before);
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesW((folder / L"out.mdl").c_str(), FILE_ATTRIBUTE_READONLY));
#else
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  chmod(test::NativePath(folder.Path()).c_str(), 0555);
#endif
  Convert(folder / L"in.mdl", folder / L"out.mdl");
#ifdef _WIN32
  SetFileAttributesW((folder / L"out.mdl").c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  chmod(test::NativePath(folder.Path()).c_str(), 0755);
#endif
  ExpectError(window, folder / L"out.mdl");
  EXPECT_EQ(ReadBytes(folder / L"out.mdl"), before);
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"out.mdl"}));
}

// STAVREL_SMALL_DISK names a nearly full little filesystem (the test runner
// mounts one where it may).
std::wstring SmallDisk() {
  const char* path = std::getenv("STAVREL_SMALL_DISK");
  if (!path || !*path) return L"";
  std::wstring wide(path, path + std::strlen(path));
#ifdef _WIN32
  for (auto& c : wide) if (c == L'/') c = L'\\';
  return L"Z:" + wide;
#else
  for (auto& c : wide) if (c == L'/') c = L'\\';
  return wide;
#endif
}

TEST_F(RealFaults, FullDiskLeavesNoPartialModule) {
  const std::wstring disk = SmallDisk();
  if (disk.empty()) GTEST_SKIP() << "no small filesystem to fill (STAVREL_SMALL_DISK unset)";
  const Bytes module = Module(40000);  // about 1 MB, more than the disk holds
  WriteBytes(folder / L"in.mdl", module);
  const std::wstring destination = disk + L"\\out.mdl";
  Convert(folder / L"in.mdl", destination);
  ExpectError(window, destination);
  EXPECT_FALSE(test::Exists(destination));
  EXPECT_TRUE(std::filesystem::is_empty(test::NativePath(disk)));
}

TEST_F(RealFaults, FullDiskDuringDecompressionKeepsTheState) {
  const std::wstring disk = SmallDisk();
  if (disk.empty()) GTEST_SKIP() << "no small filesystem to fill (STAVREL_SMALL_DISK unset)";
  const test::GzipProgramFolder program;
  auto with_gzip = program.MakePlatform();
  // A megabyte of zeros compresses to a few hundred bytes: it fits, its
  // decompressed form does not.
  test::TempFolder source;
  std::filesystem::path zeros = test::NativePath(source / L"zeros");
  std::ofstream(zeros, std::ios::binary) << std::string(1 << 20, '\0');
  const std::wstring state = disk + L"\\game.003";
  // Our own gzip makes the state; then it moves onto the small disk.
  std::filesystem::copy_file(zeros, test::NativePath(source / L"game.sds"));
  Compress(window, *with_gzip, source / L"game.sds");
  ASSERT_TRUE(window.messages.empty());
  std::filesystem::copy_file(test::NativePath(source / L"game.000"), test::NativePath(state));
  const Bytes state_bytes = ReadBytes(state);

  window = {};
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *with_gzip, state);
  ExpectError(window, state);
  EXPECT_EQ(ReadBytes(state), state_bytes);
  std::vector<std::wstring> left;
  for (const auto& entry : std::filesystem::directory_iterator(test::NativePath(disk)))
    left.push_back(entry.path().filename().wstring());
  EXPECT_EQ(left, (std::vector<std::wstring>{L"game.003"}));
  std::filesystem::remove(test::NativePath(state));
}

TEST_F(RealFaults, GzipThatHangsUntilKilledLeavesTheStateAlone) {
  test::TempFolder program{L"prog"};
  std::filesystem::copy_file(HANGING_GZIP, test::NativePath(program / L"gzip.exe"));
  auto hanging = test::MakePlatform(program.Folder());
  const Bytes state = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  WriteBytes(folder / L"game.003", state);
  window.boxes[Box::FName] = L"game.003";
  // The user gives up and kills it from the task manager.
  // A kill that fails (a loaded Wine) is tried again at the next pump; should
  // it never work, the run is stopped instead, and the test fails, not hangs.
  window.on_pump = [&] {
    long pid = 0;
    if (test::Exists(folder / L"hang.pid"))
      std::ifstream(test::NativePath(folder / L"hang.pid")) >> pid;
    if (pid > 0 && KillProcess(pid)) std::filesystem::remove(test::NativePath(folder / L"hang.pid"));
  };
  window.close_after_pumps = 4000;  // a minute at least
  Decompress(window, *hanging, folder / L"game.003");
  ExpectError(window, folder / L"game.003");
  EXPECT_EQ(ReadBytes(folder / L"game.003"), state);
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"game.003"}));
}

// The user asks to stop a gzip.exe that hangs: it is ended, this run's
// temporaries go, the state stays, and nothing needs saying. A gzip that has
// already finished (its input gone, its output complete) is not abandoned:
// the command finishes.
TEST_F(RealFaults, GzipThatHangsIsStoppedOnRequest) {
  test::TempFolder program{L"prog"};
  std::filesystem::copy_file(HANGING_GZIP, test::NativePath(program / L"gzip.exe"));
  auto hanging = test::MakePlatform(program.Folder());
  const Bytes state = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const struct {
    bool decompress;
    bool finishes;
    const wchar_t* left;  // the one file in the folder afterwards
  } cases[] = {
      {true, false, L"game.003"},
      {false, false, L"game.003"},
      {true, true, L"game.sds"},
      {false, true, L"game.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.decompress ? "decompress" : "compress") << " finishes " << c.finishes);
    std::optional<test::ScopedEnvironment> finishes;
    if (c.finishes) finishes.emplace(L"HANGING_GZIP_FINISHES", L"1");
    window = {};
    WriteBytes(folder / L"game.003", state);
    window.boxes[Box::FName] = L"game.003";
    window.close_after_pumps = 20;  // about 0.3 s into a wait that never ends
    if (c.decompress)
      Decompress(window, *hanging, folder / L"game.003");
    else
      Compress(window, *hanging, folder / L"game.003");
    for (const auto& m : window.messages) ADD_FAILURE() << testing::PrintToString(m.text);
    EXPECT_EQ(window.background_work, (std::vector<std::wstring>{folder / L"game.003", L""}));
    // It leaves its process id in its working folder, or, stopped while it
    // writes it (a slow start under load), the file it writes it into.
    for (const wchar_t* left : {L"hang.pid", L"hang.pid.tmp"}) {
      std::filesystem::remove(test::NativePath(folder / left));
      std::filesystem::remove(left);
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{c.left}));
    EXPECT_EQ(ReadBytes(folder / c.left), (c.finishes ? Bytes{'d', 'o', 'n', 'e'} : state));
    std::filesystem::remove(test::NativePath(folder / c.left));
  }
}

// Stavrel stops gzip.exe when it can no longer wait for it: the partial
// output gzip was writing must go with it.
TEST_F(RealFaults, GzipStoppedHalfWayLeavesNoPartialOutput) {
  const test::GzipProgramFolder program;
  auto platform = program.MakePlatform();
  // Noise compresses slowly: gzip is still writing when it is stopped.
  Bytes noise(48u << 20);
  std::uint32_t seed = 12345;
  for (auto& byte : noise) byte = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
  WriteBytes(folder / L"game.sds", noise);
  const std::wstring working_directory = folder.Folder();
  const std::wstring gzip = program / L"gzip.exe";
  auto child = platform->StartProcess({gzip, L"\"" + gzip + L"\" -9 game.sds", working_directory, {}});
  ASSERT_TRUE(WaitUntil([&] { return folder.Names().size() == 2; })) << "gzip never started writing";
  child->Kill();
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"game.sds"}));
  EXPECT_EQ(ReadBytes(folder / L"game.sds"), noise);
}

}  // namespace
}  // namespace stavrel
