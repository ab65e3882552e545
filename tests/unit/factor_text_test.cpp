#include "factor_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

namespace stavrel {
namespace {

struct FactorCase {
  const wchar_t* text;
  std::optional<std::int32_t> factor;
};

TEST(FactorText, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
  const FactorCase cases[] = {
      {L"", 0},           {L"abc", 0},         {L"-", 0},           {L"+", 0},
      {L".", 0},          {L"-.", 0},          {L"12abc", 12},      {L"1 0", 10},
      {L" \t\n-1\t2", -12}, {L"1E3", 1000},    {L"1e3", 1000},      {L"1D3", 1000},
      {L"1d3", 1000},     {L"1E", 1},          {L"1E+", 1},         {L"2E-1", 0},
      {L"2.5", 2},        {L"3.5", 4},         {L"-1.5", -2},       {L"-2.5", -2},
      {L"0.5", 0},        {L"1.5", 2},         {L".7", 1},          {L"7.", 7},
      {L"3,5", 3},        {L"-5", -5},         {L"+42", 42},        {L"1.2.3", 1},
      {L"--5", 0},        {L"\u0661", 0},      {L"\r5", 0},
      // Users type addresses in hex.
      {L"&H10", 16},      {L"&HFFFF", 65535},  {L"&hff", 255},      {L"&H7FFFFFFF", 2147483647},
      {L"&H", 0},         {L"&HG", 0},         {L"&O17", 15},       {L"&o8", 0},
      {L"& H10", 16},     {L"&X10", 0},
      // The 32-bit range, both ends.
      {L"2147483647", 2147483647},             {L"-2147483648", -2147483647 - 1},
      {L"2147483647.4", 2147483647},           {L"-2147483648.5", -2147483647 - 1},
      {L"2147483647.5", std::nullopt},         {L"2147483648", std::nullopt},
      {L"-2147483649", std::nullopt},          {L"1E10", std::nullopt},
      {L"&H80000000", std::nullopt},           {L"1E400", std::nullopt},
      {L"-1E400", std::nullopt},               {L"1E-400", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(ReadFactor(c.text), c.factor);
    // Where a script's reading takes the text whole, it takes it as the window does.
    if (const FactorReading whole = ReadWholeFactor(c.text); whole.whole) {
      EXPECT_EQ(whole.factor, c.factor);
    }
  }
}

// A script's factor: read whole, or refused with the part that could be read.
struct WholeFactorCase {
  const wchar_t* text;
  std::optional<std::int32_t> factor;  // when read whole
  const wchar_t* read = nullptr;       // when refused: what could be read
};

TEST(FactorText, AScriptsFactorIsReadWholeOrRefused) {
  const WholeFactorCase cases[] = {
      // What scripts write besides the window's forms.
      {L"0x100", 256},        {L"0XfF", 255},         {L"-0x10", -16},       {L"+0x10", 16},
      {L"-&H10", -16},        {L"- &O17", -15},       {L"0x7FFFFFFF", 2147483647},
      {L"-0x80000000", -2147483647 - 1},              {L"0x80000000", std::nullopt},
      {L"1E10", std::nullopt},
      // Anything else is refused, naming what the window would have taken.
      {L"12abc", std::nullopt, L"12"},  {L"0x", std::nullopt, L"0"},    {L"0x1g", std::nullopt, L"0x1"},
      {L"1 2 x", std::nullopt, L"1 2"}, {L"1E", std::nullopt, L"1"},    {L"3,5", std::nullopt, L"3"},
      {L"1.2.3", std::nullopt, L"1.2"}, {L"&H10&", std::nullopt, L"&H10"},
      {L"", std::nullopt, L""},         {L"abc", std::nullopt, L""},    {L"&H", std::nullopt, L""},
      {L"-", std::nullopt, L""},        {L"--5", std::nullopt, L""},    {L"-&X1", std::nullopt, L""},
      {L"\r5", std::nullopt, L""},      {L"0x-5", std::nullopt, L"0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
    const FactorReading reading = ReadWholeFactor(c.text);
    EXPECT_EQ(reading.whole, c.read == nullptr);
    EXPECT_EQ(reading.factor, c.factor);
    if (c.read) {
      EXPECT_EQ(std::wstring(reading.read), c.read);
    }
  }
}

TEST(FactorText, TheDecimalPointIsTheFullStopWhateverTheLocale) {
  // A locale with a decimal comma must not change how "2,5" or "2.5" read.
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German"))
    GTEST_SKIP() << "no locale with a decimal comma here";
  EXPECT_EQ(ReadFactor(L"2,5"), 2);
  EXPECT_EQ(ReadFactor(L"3.5"), 4);
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
}  // namespace stavrel
