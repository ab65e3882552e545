// Names users really have: blanks, accents, shell metacharacters, a leading
// "-", very long paths. Each either works or is refused with a message; no
// file is ever lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <chrono>
#include <filesystem>
#include <thread>

#include "module_converter.h"
#include "gzip_bytes.h"
#include "recording_window.h"
#include "state_files.h"
#include "test_files.h"

namespace stavrel {
namespace {

using test::Bytes;
using test::Gzip;
using test::Gunzip;
using test::ReadBytes;
using test::WriteBytes;

const std::wstring kStems[] = {
    L"with blank",  L"\u00e9t\u00e9 \u00fc\u00df \u65e5\u672c",
    L"a&b",         L"a^b",
    L"100%",        L"wow!",
    L"%PATH%",      L"-f",
    L"-d",          L"--help",
    L"semi;colon",  L"quote'single",
    std::wstring(120, L'x'),  // with the folder below, well past 260 characters
};

class HostileNames : public testing::Test {
 protected:
  test::GzipProgramFolder program_folder{L"prog folder \u00e9 &"};
  test::TempFolder root;
  std::unique_ptr<Platform> platform;
  int worked = 0;
  int refused = 0;

  void SetUp() override {
    platform = program_folder.MakePlatform();
  }

  // A folder for one name; long names get a long folder too.
  std::wstring FolderFor(const std::wstring& stem) {
    std::wstring folder = root.Path() + (stem.size() > 100 ? std::wstring(150, L'f') : L"d") + L"\\";
    std::filesystem::create_directories(test::NativePath(folder));
    return folder;
  }

  // Under Wine a finished child's current folder can stay busy a moment.
  static void RemoveFolder(const std::wstring& folder) {
    std::error_code error;
    for (int attempt = 0; attempt < 50; ++attempt) {
      std::filesystem::remove_all(test::NativePath(folder), error);
      if (!error) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    FAIL() << "cannot remove the test folder: " << error.message();
  }

  // Either the command worked, or it said why and the input is intact.
  void Judge(test::RecordingWindow& window, bool works, const std::wstring& input, const Bytes& input_bytes) {
    if (works) {
      ++worked;
      return;
    }
    ++refused;
    ASSERT_FALSE(window.messages.empty()) << "neither worked nor said why";
    EXPECT_EQ(window.messages[0].title, L"Error");
    EXPECT_TRUE(test::Exists(input) && ReadBytes(input) == input_bytes) << "input lost";
  }
};

TEST_F(HostileNames, ModulesConvertOrAreRefusedSafely) {
  Bytes module(5 * 26);
  for (std::size_t i = 0; i < module.size(); ++i) module[i] = static_cast<std::uint8_t>(i);
  for (const auto& stem : kStems) {
    SCOPED_TRACE(testing::PrintToString(stem));
    const std::wstring folder = FolderFor(stem);
    const std::wstring source = folder + stem + L".mdl", destination = folder + stem + L" out.mdl";
    WriteBytes(source, module);
    test::RecordingWindow window;
    window.boxes[Box::Factor] = L"0";
    window.boxes[Box::File2] = destination;
    ConvertToSnes9x(window, *platform, source);
    const bool works = window.messages.empty() && ReadBytes(destination) == module;
    Judge(window, works, source, module);
    EXPECT_EQ(ReadBytes(source), module);
    RemoveFolder(folder);
  }
  std::printf("modules: %d names worked, %d refused with a message\n", worked, refused);
}

TEST_F(HostileNames, StatesGoRoundTheCycleOrAreRefusedSafely) {
  Bytes data(5000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 3);
  const Bytes state = Gzip(data);
  for (const auto& stem : kStems) {
    SCOPED_TRACE(testing::PrintToString(stem));
    const std::wstring folder = FolderFor(stem);
    WriteBytes(folder + stem + L".003", state);
    test::RecordingWindow window;
    window.boxes[Box::FName] = stem + L".003";
    Decompress(window, *platform, folder + stem + L".003");
    const bool decompressed = window.messages.empty() && test::Exists(folder + stem + L".sds") &&
                              ReadBytes(folder + stem + L".sds") == data && !test::Exists(folder + stem + L".003");
    Judge(window, decompressed, folder + stem + L".003", state);
    if (decompressed) {
      window = {};
      Compress(window, *platform, folder + stem + L".sds");
      const bool compressed = window.messages.empty() && test::Exists(folder + stem + L".000") &&
                              Gunzip(ReadBytes(folder + stem + L".000")) == data;
      Judge(window, compressed, folder + stem + L".sds", data);
    }
    RemoveFolder(folder);
  }
  std::printf("states: %d steps worked, %d refused with a message\n", worked, refused);
}

TEST_F(HostileNames, ADestinationDifferingOnlyInCaseIsTheSourceWhereNamesIgnoreCase) {
  const std::wstring folder = FolderFor(L"case");
  Bytes module(4 * 26, 1);
  WriteBytes(folder + L"Game.mdl", module);
  test::RecordingWindow window;
  window.boxes[Box::Factor] = L"1";
  window.boxes[Box::File2] = folder + L"GAME.MDL";
  ConvertToSnes9x(window, *platform, folder + L"Game.mdl");
  if (!window.messages.empty()) {
    // Windows: one file by two spellings, refused before anything is written.
    EXPECT_NE(window.messages[0].text.find(L"module being read"), std::wstring::npos);
  }
  EXPECT_EQ(ReadBytes(folder + L"Game.mdl"), module);
}

}  // namespace
}  // namespace stavrel
