// The module converter driven as a user drives it: boxes typed into, files
// picked in the dialogs, buttons pressed, results read back from the window
// and from disk.
#include <gtest/gtest.h>

#include "keyboard_input.h"
#include "module_bytes.h"
#include "stavrel_window_test.h"
#include "waiting.h"

namespace stavrel::ui {
namespace {

using test::Converted;
using test::MakeModule;

// Addresses at both ends of the range, so that a sign or byte-order mistake shows.
const std::vector<std::int32_t> kSixAddresses{0x1000, -16, 0x7E0000, -1, 0, 0x12345678};

class ConverterTest : public StavrelWindowTest {
 protected:
  ProgressReading Progress() const { return ReadProgress(Control(ids::pbProg)); }

  // The conversion's last step fills the bar; wait for that before reading.
  ProgressReading WaitForFullBar() const {
    WaitUntil([&] {
      const ProgressReading reading = Progress();
      return reading.maximum > 0 && reading.position == reading.maximum;
    });
    return Progress();
  }

  void ExpectConverterBoxesEmpty() const {
    EXPECT_EQ(Text(ids::txtFactor), L"");
    EXPECT_EQ(Text(ids::txtVarFound), L"");
    EXPECT_EQ(Text(ids::txtFile1), L"");
    EXPECT_EQ(Text(ids::txtFile2), L"");
    EXPECT_EQ(Progress().position, 0);
  }
};

TEST_F(ConverterTest, ConvertsAModulePickedThroughTheDialogs) {
  const Bytes module = MakeModule(kSixAddresses, 7);
  const std::wstring source = folder / L"r\u00e9gion one.mdl";
  const std::wstring target = folder / L"converted one.mdl";
  WriteBytes(source, module);

  // Typed key by key into the box that has the focus when the window opens.
  ASSERT_TRUE(MakeForeground(program.Window()));
  TypeCharacters(L"&H10");
  ASSERT_TRUE(WaitUntil([&] { return Text(ids::txtFactor) == L"&H10"; })) << "typed: " << Text(ids::txtFactor);
  ASSERT_TRUE(Browse(0, source));
  EXPECT_EQ(Text(ids::txtFile1), source);
  ASSERT_TRUE(Browse(1, target));
  EXPECT_EQ(Text(ids::txtFile2), target);

  ASSERT_TRUE(PressAndWait(Control(ids::cmdConvert))) << "Convert! did not return (a message box?)";
  EXPECT_EQ(WaitForFullBar(), (ProgressReading{16, 16}));
  EXPECT_EQ(Text(ids::txtVarFound), L"6");
  EXPECT_EQ(ReadBytes(target), Converted(module, 16));
  EXPECT_EQ(ReadBytes(source), module);
}

struct ConversionCase {
  const char* name;
  const wchar_t* factor_text;
  std::int32_t factor;
  std::size_t records;
  std::size_t tail;
  const wchar_t* variables_shown;
};

class ConversionTable : public ConverterTest, public testing::WithParamInterface<ConversionCase> {};

TEST_P(ConversionTable, AddsTheTypedFactorToEveryAddress) {
  const ConversionCase& c = GetParam();
  std::vector<std::int32_t> addresses;
  for (std::size_t i = 0; i < c.records; ++i) addresses.push_back(static_cast<std::int32_t>(i * 0x10001) - 0x20);
  const Bytes module = MakeModule(addresses, c.tail);
  const std::wstring source = folder / L"in.mdl";
  const std::wstring target = folder / L"out.mdl";
  WriteBytes(source, module);

  Type(ids::txtFactor, c.factor_text);
  Type(ids::txtFile1, source);
  Type(ids::txtFile2, target);
  ASSERT_TRUE(PressAndWait(Control(ids::cmdConvert))) << "Convert! did not return (a message box?)";

  const int maximum = static_cast<int>(c.records) + 10;
  EXPECT_EQ(WaitForFullBar(), (ProgressReading{maximum, maximum}));
  EXPECT_EQ(Text(ids::txtVarFound), c.variables_shown);
  EXPECT_EQ(ReadBytes(target), Converted(module, c.factor));
}

INSTANTIATE_TEST_SUITE_P(Factors, ConversionTable,
                         testing::Values(ConversionCase{"LowerCaseHex", L"&h7f", 0x7F, 5, 0, L"5"},
                                         ConversionCase{"Decimal", L"250", 250, 4, 25, L"4"},
                                         ConversionCase{"Negative", L"-4096", -4096, 9, 1, L"9"},
                                         ConversionCase{"Zero", L"0", 0, 40, 13, L"40"},
                                         ConversionCase{"ManyVariables", L"&H100", 0x100, 3000, 3, L"3000"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TooFewCase {
  const char* name;
  std::size_t records;
  std::size_t tail;
};

class TooFewVariables : public ConverterTest, public testing::WithParamInterface<TooFewCase> {};

TEST_P(TooFewVariables, AreRefusedWithAMessageAndTheBoxesEmptied) {
  const Bytes module = MakeModule(std::vector<std::int32_t>(GetParam().records, 0x400), GetParam().tail);
  const std::wstring source = folder / L"short.mdl";
  const std::wstring target = folder / L"short copy.mdl";
  WriteBytes(source, module);
  Type(ids::txtFactor, L"&H10");
  Type(ids::txtFile1, source);
  Type(ids::txtFile2, target);

  Press(Control(ids::cmdConvert));
  const MessageBoxWindow box = WaitForMessageBox();
  ASSERT_TRUE(box.Found()) << "no message box";
  EXPECT_EQ(box.Title(), L"Error");
  EXPECT_EQ(box.Text(), L"At least 4 variables needed to convert");
  EXPECT_EQ(box.Icon(), IconLook::Red) << NameOf(box.Icon());
  EXPECT_EQ(box.Owner(), program.Window());
  box.PressOk();
  ASSERT_TRUE(box.WaitUntilClosed());
  ASSERT_TRUE(SyncWith(program.Window()));

  ExpectConverterBoxesEmpty();
  // The copy was made before the records were counted; it stays as copied.
  EXPECT_EQ(ReadBytes(target), module);
}

INSTANTIATE_TEST_SUITE_P(Counts, TooFewVariables,
                         testing::Values(TooFewCase{"ThreeAndALooseTail", 3, 25}, TooFewCase{"One", 1, 0},
                                         TooFewCase{"NoneWhole", 0, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConverterTest, ClearAllEmptiesTheConverterAndLeavesTheStateBoxes) {
  const std::wstring source = folder / L"in.mdl";
  WriteBytes(source, MakeModule(kSixAddresses, 0));
  Type(ids::txtFactor, L"&H10");
  Type(ids::txtFile1, source);
  Type(ids::txtFile2, folder / L"out.mdl");
  ASSERT_TRUE(PressAndWait(Control(ids::cmdConvert)));
  ASSERT_EQ(WaitForFullBar(), (ProgressReading{16, 16}));
  Type(ids::txtDecompress, L"C:\\states\\game.003");
  Type(ids::txtCompress, L"C:\\states\\game.sds");
  Type(ids::txtFName, L"game.003");

  ASSERT_TRUE(PressAndWait(Control(ids::cmdClear)));

  ExpectConverterBoxesEmpty();
  EXPECT_EQ(Text(ids::txtDecompress), L"C:\\states\\game.003");
  EXPECT_EQ(Text(ids::txtCompress), L"C:\\states\\game.sds");
  EXPECT_EQ(Text(ids::txtFName), L"game.003");
}

}  // namespace
}  // namespace stavrel::ui
