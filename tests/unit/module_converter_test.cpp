#include "module_converter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "module_bytes.h"
#include "recording_window.h"
#include "test_files.h"

namespace stavrel {
namespace {

using test::Bytes;
using test::Converted;
using test::MakeModule;
using test::ReadBytes;
using test::RecordingWindow;
using test::WriteBytes;

constexpr std::size_t kRecord = 26;

class ConverterTest : public testing::Test {
 protected:
  test::TempFolder folder;
  std::unique_ptr<Platform> platform = test::MakePlatform();
  RecordingWindow window;
  std::wstring source = folder / L"in.mdl";
  std::wstring destination = folder / L"out.mdl";

  void Convert(const std::wstring& factor, ConverterPacing pacing = {}) {
    window.boxes[Box::Factor] = factor;
    window.boxes[Box::File1] = source;
    window.boxes[Box::File2] = destination;
    ConvertToSnes9x(window, *platform, source, pacing);
  }
  std::wstring OnlyMessage() {
    EXPECT_EQ(window.messages.size(), 1u);
    if (window.messages.empty()) return L"";
    EXPECT_EQ(window.messages[0].title, L"Error");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
    return window.messages[0].text;
  }
};

struct ShiftCase {
  std::size_t records;
  std::size_t tail;
  const wchar_t* factor_text;
  std::int32_t factor;
};

TEST_F(ConverterTest, ShiftsEveryAddressAndNothingElse) {
  const ShiftCase cases[] = {
      {4, 0, L"7", 7},         {4, 10, L"-5", -5},     {5, 25, L"&H100", 256},
      {4, 0, L"", 0},          {4, 0, L"abc", 0},      {6, 3, L"2.5", 2},
      {6, 3, L"3.5", 4},       {4, 0, L"12abc", 12},   {4, 0, L"1 0", 10},
      {4, 0, L"1E3", 1000},    {1000, 13, L"-1", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.records << " records, factor "
                                    << testing::PrintToString(std::wstring(c.factor_text)));
    const Bytes module = MakeModule(c.records, {3, 0, -7, 0x12345678, 100000}, c.tail);
    WriteBytes(source, module);
    window = {};
    Convert(c.factor_text, {.records_per_chunk = 3, .pump_interval = {}});
    EXPECT_TRUE(window.messages.empty()) << (window.messages.empty() ? "" : "a message was shown");
    EXPECT_EQ(ReadBytes(destination), Converted(module, c.factor));
    EXPECT_EQ(ReadBytes(source), module);
    EXPECT_EQ(window.boxes[Box::VarFound], std::to_wstring(c.records));
    EXPECT_EQ(window.progress_max, c.records + 10.0);
    EXPECT_EQ(window.ProgressValue(), c.records + 10.0);
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"out.mdl"}));
  }
}

TEST_F(ConverterTest, MinusFiveOnThreeGivesFeFfFfFf) {
  WriteBytes(source, MakeModule(4, {3}));
  Convert(L"-5");
  const Bytes out = ReadBytes(destination);
  EXPECT_EQ(Bytes(out.begin() + 21, out.begin() + 25), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(ConverterTest, ProgressMovesFromTheThirdRecordAndEndsFull) {
  WriteBytes(source, MakeModule(8, {1}));
  Convert(L"1", {.records_per_chunk = 1, .pump_interval = {}});
  // Records 1 and 2 do not move the bar; the end fills it to N + 10.
  EXPECT_EQ(window.progress_values, (std::vector<double>{3, 4, 5, 6, 7, 8, 18}));
  EXPECT_EQ(window.commands_enabled, (std::vector<bool>{false, true}));
}

TEST_F(ConverterTest, FewerThanFourVariablesLeavesThePlainCopyAndClearsTheBoxes) {
  for (std::size_t size : {0u, 1u, 103u}) {
    SCOPED_TRACE(size);
    const Bytes module = MakeModule(size / kRecord, {5}, size % kRecord);
    WriteBytes(source, module);
    window = {};
    window.boxes[Box::Decompress] = L"keep me";
    Convert(L"9");
    EXPECT_EQ(OnlyMessage(), L"At least 4 variables needed to convert");
    // The count was on show while the message was up; then everything emptied.
    EXPECT_EQ(window.boxes_at_message[0][Box::VarFound], std::to_wstring(size / kRecord));
    for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2}) EXPECT_EQ(window.boxes[box], L"");
    EXPECT_EQ(window.boxes[Box::Decompress], L"keep me");
    EXPECT_EQ(window.ProgressValue(), 0);
    EXPECT_EQ(window.progress_max, 100);
    EXPECT_EQ(ReadBytes(destination), module);
  }
}

TEST_F(ConverterTest, EmptySourceDoesNothingAtAll) {
  window.boxes[Box::Factor] = L"5";
  window.boxes[Box::File2] = destination;
  ConvertToSnes9x(window, *platform, L"");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(window.progress_values.empty());
  EXPECT_TRUE(window.commands_enabled.empty());
  EXPECT_FALSE(test::Exists(destination));
}

TEST_F(ConverterTest, AddressOverflowNamesTheVariableAndLeavesTheDestinationAsItWas) {
  Bytes module = MakeModule(6, {0, 0, 0, 0, 2147483647, 0});
  WriteBytes(source, module);
  const Bytes before = {1, 2, 3};
  WriteBytes(destination, before);
  Convert(L"1", {.records_per_chunk = 2, .pump_interval = {}});
  const std::wstring text = OnlyMessage();
  EXPECT_NE(text.find(L"Variable 5"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"2147483647"), std::wstring::npos) << text;
  EXPECT_EQ(ReadBytes(destination), before);
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"out.mdl"}));
  EXPECT_TRUE(window.CommandsEnabled());
}

TEST_F(ConverterTest, NegativeOverflowToo) {
  WriteBytes(source, MakeModule(4, {-2147483647 - 1}));
  Convert(L"-1");
  EXPECT_NE(OnlyMessage().find(L"Variable 1 "), std::wstring::npos);
  EXPECT_FALSE(test::Exists(destination));
}

TEST_F(ConverterTest, FactorOutOfRangeTouchesNoFile) {
  WriteBytes(source, MakeModule(4, {0}));
  Convert(L"3E10");
  EXPECT_NE(OnlyMessage().find(L"3E10"), std::wstring::npos);
  EXPECT_FALSE(test::Exists(destination));
}

struct RefusalCase {
  const char* name;
  std::wstring source;
  std::wstring destination;
  std::wstring expected;  // in the message
};

TEST_F(ConverterTest, RefusedRunsSayWhyAndChangeNothing) {
  const Bytes module = MakeModule(4, {1});
  WriteBytes(source, module);
  const std::wstring sub = folder / L"sub";
  std::filesystem::create_directory(test::NativePath(sub));
  const RefusalCase cases[] = {
      {"missing source", folder / L"none.mdl", destination, L"none.mdl"},
      {"empty destination", source, L"", L"No file to write to"},
      {"destination is the source", source, source, L"module being read"},
      {"the source by another spelling", source, folder / L".\\in.mdl", L"module being read"},
      // Named as the user gave it, not as the temporary that could not be made.
      {"destination folder missing", source, folder / L"no such folder\\out.mdl",
       L"File: " + folder / L"no such folder\\out.mdl\r\n"},
      {"a folder as the module", sub, destination, L"The module to read is a folder, not a file."},
      {"a folder as the destination", source, sub, L"The file to write to is a folder, not a file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window = {};
    window.boxes[Box::Factor] = L"1";
    window.boxes[Box::File2] = c.destination;
    ConvertToSnes9x(window, *platform, c.source);
    EXPECT_NE(OnlyMessage().find(c.expected), std::wstring::npos) << OnlyMessage();
    EXPECT_EQ(ReadBytes(source), module);
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"sub"}));
    EXPECT_TRUE(std::filesystem::is_empty(test::NativePath(sub)));
    EXPECT_TRUE(window.CommandsEnabled());
  }
}

// What a plan works out, or why it refuses; planning never changes the folder.
struct PlanCase {
  const char* name;
  ConvertRequest request;
  std::vector<std::wstring> existing;  // besides in.mdl
  const wchar_t* refused;              // in the summary; nullptr: a plan
  std::wstring temporary{};
  bool replaces_a_file = false;
};

TEST_F(ConverterTest, PlansWorkOutEveryNameAndTouchNoFile) {
  WriteBytes(source, MakeModule(4, {1}));
  const std::wstring out_tmp = destination + L".stavrel-tmp";
  const PlanCase cases[] = {
      {"a new destination", {source, destination, L"&H10"}, {}, nullptr, out_tmp, false},
      {"a leftover temporary is never reused", {source, destination, L"1"}, {L"out.mdl.stavrel-tmp"}, nullptr,
       out_tmp + L"1", false},
      {"replacing is asked for", {source, destination, L"1", true}, {L"out.mdl"}, nullptr, out_tmp, true},
      {"a file in the way", {source, destination, L"1"}, {L"out.mdl"}, L"The file to write to exists."},
      {"the module itself", {source, source, L"1", true}, {}, L"module being read"},
      {"no destination", {source, L"", L"1"}, {}, L"No file to write to"},
      {"a factor out of range", {source, destination, L"3E10"}, {}, L"3E10"},
      {"a factor read whole", {source, destination, L"-0x10", false, true}, {}, nullptr, out_tmp, false},
      {"a factor not read whole", {source, destination, L"12abc", false, true}, {}, L"only \"12\" of it"},
      {"no number at all", {source, destination, L"abc", false, true}, {}, L"\"abc\" is not a number."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::wstring& name : c.existing) WriteBytes(folder / name, {7});
    const std::vector<std::wstring> before = folder.Names();
    try {
      const ConvertPlan plan = PlanConvert(c.request, *platform);
      EXPECT_EQ(c.refused, nullptr);
      EXPECT_EQ(plan.temporary, c.temporary);
      EXPECT_EQ(plan.replaces_a_file, c.replaces_a_file);
    } catch (const CommandFailure& failure) {
      ASSERT_NE(c.refused, nullptr) << testing::PrintToString(failure.Report().summary);
      EXPECT_NE(failure.Report().summary.find(c.refused), std::wstring::npos);
      EXPECT_EQ(failure.Report().refusal == Refusal::FileInTheWay, c.existing == std::vector{std::wstring(L"out.mdl")});
    }
    EXPECT_EQ(folder.Names(), before);
    for (const std::wstring& name : c.existing) std::filesystem::remove(test::NativePath(folder / name));
  }
}

TEST_F(ConverterTest, ClosingTheWindowMidRunStopsAndLeavesNoPartialFile) {
  WriteBytes(source, MakeModule(50, {1}));
  const Bytes before = {9, 9};
  WriteBytes(destination, before);
  window.close_after_pumps = 3;
  Convert(L"1", {.records_per_chunk = 4, .pump_interval = {}});
  EXPECT_EQ(window.pumps, 3);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(ReadBytes(destination), before);
  EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"in.mdl", L"out.mdl"}));
}

TEST_F(ConverterTest, ReplacesAnExistingDestinationOnSuccess) {
  const Bytes module = MakeModule(4, {1});
  WriteBytes(source, module);
  WriteBytes(destination, Bytes(1000, 0xAA));
  Convert(L"2");
  EXPECT_EQ(ReadBytes(destination), Converted(module, 2));
}

TEST(ClearBoxes, EmptiesTheConverterBoxesAndTheBarOnly) {
  RecordingWindow window;
  for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2, Box::Decompress, Box::Compress, Box::FName})
    window.boxes[box] = L"x";
  window.progress_max = 77;
  ClearBoxes(window);
  for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2}) EXPECT_EQ(window.boxes[box], L"");
  for (Box box : {Box::Decompress, Box::Compress, Box::FName}) EXPECT_EQ(window.boxes[box], L"x");
  EXPECT_EQ(window.progress_values, (std::vector<double>{0}));
  EXPECT_EQ(window.progress_max, 77);
}

}  // namespace
}  // namespace stavrel
