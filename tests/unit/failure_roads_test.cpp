// Every operation along the way of each command fails once, in each way it
// can; whatever happens, the user's files survive and the user is told.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>

#include "faulty_platform.h"
#include "module_converter.h"
#include "gzip_bytes.h"
#include "recording_window.h"
#include "state_files.h"
#include "test_files.h"

namespace stavrel {
namespace {

using test::Bytes;
using test::Gzip;
using test::Fault;
using test::FaultyPlatform;
using test::GzipFault;

// Does `holder` hold `data`, as it is or compressed either way?
bool HoldsData(const Bytes& holder, const Bytes& data) {
  return holder == data || test::TryGunzip(holder) == data || (!holder.empty() && test::TryGunzip(data) == holder);
}

enum class Command { Convert, ConvertOverExisting, Decompress, Compress };

const wchar_t* Name(Command c) {
  switch (c) {
    case Command::Convert: return L"convert";
    case Command::ConvertOverExisting: return L"convert over an existing file";
    case Command::Decompress: return L"decompress";
    case Command::Compress: return L"compress";
  }
  return L"?";
}

struct Scenario {
  Command command;
  int fail_at = 0;
  Fault fault = Fault::DiskFull;
  GzipFault gzip_fault = GzipFault::None;
};

class FailureRoads : public testing::Test {
 protected:
  test::GzipProgramFolder program_folder{L"prog dir"};
  std::unique_ptr<Platform> real;
  int scenarios_run = 0;

  void SetUp() override {
    real = program_folder.MakePlatform();
  }

  static Bytes Module() {
    Bytes bytes(8 * 26 + 5);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 13);
    return bytes;
  }
  static Bytes StateData() {
    Bytes bytes(20000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 97);
    return bytes;
  }

  // Lays out the user's files and runs the command; returns the operations done.
  int Run(const Scenario& s, const test::TempFolder& folder, FaultyPlatform& platform,
          test::RecordingWindow& window) {
    switch (s.command) {
      case Command::ConvertOverExisting:
        test::WriteBytes(folder / L"out.mdl", {7, 7, 7});
        [[fallthrough]];
      case Command::Convert:
        test::WriteBytes(folder / L"in.mdl", Module());
        window.boxes[Box::Factor] = L"&H1000";
        window.boxes[Box::File2] = folder / L"out.mdl";
        break;
      case Command::Decompress:
        test::WriteBytes(folder / L"game.003", Gzip(StateData()));
        window.boxes[Box::FName] = L"game.003";
        platform.gzip_output = folder / L"temp";
        platform.appearing_name = folder / L"game.sds";
        break;
      case Command::Compress:
        test::WriteBytes(folder / L"game.sds", StateData());
        platform.gzip_output = folder / L"game.sds.gz";
        platform.appearing_name = folder / L"game.000";
        break;
    }
    platform.fail_at = s.fail_at;
    platform.fault = s.fault;
    platform.gzip_fault = s.gzip_fault;
    return RunCommand(s.command, folder, platform, window);
  }

  int RunCommand(Command command, const test::TempFolder& folder, FaultyPlatform& platform,
                 test::RecordingWindow& window) {
    switch (command) {
      case Command::Convert:
      case Command::ConvertOverExisting:
        ConvertToSnes9x(window, platform, folder / L"in.mdl", {.records_per_chunk = 3, .pump_interval = {}});
        break;
      case Command::Decompress:
        Decompress(window, platform, folder / L"game.003");
        break;
      case Command::Compress:
        Compress(window, platform, folder / L"game.sds");
        break;
    }
    return platform.operations;
  }

  // Runs one scenario and checks that nothing was lost and the user was told.
  void Check(const Scenario& s) {
    ++scenarios_run;
    test::TempFolder folder;
    FaultyPlatform platform(*real);
    test::RecordingWindow window;
    Run(s, folder, platform, window);
    const std::wstring failed_operation =
        s.fail_at > 0 && s.fail_at <= static_cast<int>(platform.log.size()) ? platform.log[s.fail_at - 1] : L"-";
    SCOPED_TRACE(testing::PrintToString(std::wstring(Name(s.command)) + L", operation " +
                                        std::to_wstring(s.fail_at) + L" (" + failed_operation + L")") +
                 ", gzip fault " + std::to_string(static_cast<int>(s.gzip_fault)));

    ASSERT_FALSE(window.messages.empty());
    const auto& message = window.messages.front();
    EXPECT_EQ(message.title, L"Error");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_NE(message.text.find(folder.Path()), std::wstring::npos) << testing::PrintToString(message.text);
    EXPECT_EQ(platform.open_objects, 0);
    EXPECT_TRUE(window.CommandsEnabled());

    // The user's own files: as they were, or named in the message with their data.
    for (const auto& [name, bytes] : UserFiles(s.command)) {
      const std::wstring path = folder / name;
      if (test::Exists(path) && test::ReadBytes(path) == bytes) continue;
      bool found = false;
      for (const auto& other : folder.Names())
        if (message.text.find(folder / other) != std::wstring::npos &&
            HoldsData(test::ReadBytes(folder / other), bytes))
          found = true;
      EXPECT_TRUE(found) << "lost: " << testing::PrintToString(name) << " message "
                         << testing::PrintToString(message.text);
    }
    // Nothing new unless the message names it.
    for (const auto& name : folder.Names()) {
      if (UserFiles(s.command).count(name)) continue;
      if (s.gzip_fault == GzipFault::FinalNameAppears && folder / name == platform.appearing_name) {
        EXPECT_EQ(test::ReadBytes(folder / name), (Bytes{'n', 'e', 'w'}));
        continue;
      }
      EXPECT_NE(message.text.find(folder / name), std::wstring::npos)
          << "left behind: " << testing::PrintToString(name) << " message " << testing::PrintToString(message.text);
    }
  }

  std::map<std::wstring, Bytes> UserFiles(Command command) {
    switch (command) {
      case Command::Convert: return {{L"in.mdl", Module()}};
      case Command::ConvertOverExisting: return {{L"in.mdl", Module()}, {L"out.mdl", {7, 7, 7}}};
      case Command::Decompress: return {{L"game.003", Gzip(StateData())}};
      case Command::Compress: return {{L"game.sds", StateData()}};
    }
    return {};
  }

  // How many operations a command does when nothing fails.
  int OperationsOf(Command command) {
    test::TempFolder folder;
    FaultyPlatform platform(*real);
    test::RecordingWindow window;
    const int count = Run({command}, folder, platform, window);
    EXPECT_TRUE(window.messages.empty()) << testing::PrintToString(window.messages.front().text);
    return count;
  }
};

TEST_F(FailureRoads, EveryOperationFailingEveryWayLosesNothing) {
  for (Command command : {Command::Convert, Command::ConvertOverExisting, Command::Decompress, Command::Compress}) {
    const int operations = OperationsOf(command);
    ASSERT_GT(operations, 2);
    for (int k = 1; k <= operations; ++k)
      for (Fault fault : {Fault::NotFound, Fault::AccessDenied, Fault::DiskFull}) Check({command, k, fault});
  }
  for (Command command : {Command::Decompress, Command::Compress})
    for (GzipFault gzip : {GzipFault::ExitsWithError, GzipFault::FailsAfterItsWork, GzipFault::WarnsWithoutOutput,
                           GzipFault::KilledHalfWay, GzipFault::FinalNameAppears})
      Check({command, 0, Fault::DiskFull, gzip});
  std::printf("failure scenarios run: %d\n", scenarios_run);
  EXPECT_GT(scenarios_run, 100);
}

}  // namespace
}  // namespace stavrel
