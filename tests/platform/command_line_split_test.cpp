// The Linux build hands a Windows command line to a Linux program; the
// arguments must come out as a Windows program would see them.
#include "platform/posix/command_line_split.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char* name;
  const wchar_t* command_line;
  std::vector<std::wstring> arguments;
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, FollowsTheWindowsRules) {
  EXPECT_EQ(stavrel::posix::SplitCommandLine(GetParam().command_line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    testing::Values(
        SplitCase{"Empty", L"", {}}, SplitCase{"ProgramOnly", L"gzip.exe", {L"gzip.exe"}},
        SplitCase{"QuotedProgramWithBlanks",
                  L"\"C:\\Program Files\\gzip.exe\" -d",
                  {L"C:\\Program Files\\gzip.exe", L"-d"}},
        // The program name knows no escapes: its backslashes stay, even before the quote.
        SplitCase{"ProgramEndsAtQuote", L"\"C:\\dir\\\" -d", {L"C:\\dir\\", L"-d"}},
        SplitCase{"UnquotedProgramEndsAtBlank",
                  L"C:\\dir with blank\\gzip.exe -d",
                  {L"C:\\dir", L"with", L"blank\\gzip.exe", L"-d"}},
        SplitCase{"BlanksAndTabs", L"p  a\t\tb   ", {L"p", L"a", L"b"}},
        SplitCase{"QuotedBlank", L"p \"a b\" c", {L"p", L"a b", L"c"}},
        SplitCase{"QuotesInsideWord", L"p a\"b c\"d", {L"p", L"ab cd"}},
        SplitCase{"EmptyQuoted", L"p \"\" x", {L"p", L"", L"x"}},
        SplitCase{"BackslashesWithoutQuote", L"p C:\\a\\\\b\\", {L"p", L"C:\\a\\\\b\\"}},
        SplitCase{"EvenBackslashesBeforeQuote", L"p \"a\\\\\" b", {L"p", L"a\\", L"b"}},
        SplitCase{"OddBackslashesBeforeQuote", L"p a\\\"b", {L"p", L"a\"b"}},
        SplitCase{"ThreeBackslashesBeforeQuote", L"p a\\\\\\\"b", {L"p", L"a\\\"b"}},
        SplitCase{"QuotedPathEndingInBackslash",
                  L"p \"C:\\out dir\\\\\" x",
                  {L"p", L"C:\\out dir\\", L"x"}},
        // Inside quotes, a doubled quote is a literal quote and ends the quoted
        // part; the last quote opens another.
        SplitCase{"DoubledQuoteInsideQuotes", L"p \"a\"\"b c\"", {L"p", L"a\"b", L"c"}},
        SplitCase{"TripledQuote", L"p \"\"\"a\"\"\"", {L"p", L"\"a\""}},
        SplitCase{"NonAscii",
                  L"p \"s\u00e4ve \u65e5\u672c.srm\"",
                  {L"p", L"s\u00e4ve \u65e5\u672c.srm"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

}  // namespace
