// Wine opens long paths with or without the "\\?\" prefix, so the file tests
// cannot tell whether it is added; Windows can. Check the prefixing itself.
#include "base/win32/long_path.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kLongName(300, L'n');
// "C:\" + this + "\f.srm" is 259 characters, the most MAX_PATH allows.
const std::wstring kLongestPlainName(250, L'p');

struct LongPathCase {
  const char* name;
  std::wstring path;
  std::wstring expected;
};

class ExtendedLengthPathTest : public testing::TestWithParam<LongPathCase> {};

TEST_P(ExtendedLengthPathTest, PrefixesOnlyLongPaths) {
  EXPECT_EQ(stavrel::win32::ExtendedLengthPath(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtendedLengthPathTest,
    testing::Values(
        LongPathCase{"ShortStaysAsGiven", L"C:\\a\\..\\b\\f.srm", L"C:\\a\\..\\b\\f.srm"},
        LongPathCase{"DeviceNameStays", L"NUL", L"NUL"},
        LongPathCase{"LongestPlainPathStays", L"C:\\" + kLongestPlainName + L"\\f.srm",
                     L"C:\\" + kLongestPlainName + L"\\f.srm"},
        LongPathCase{"OneMoreGetsThePrefix", L"C:\\" + kLongestPlainName + L"x\\f.srm",
                     L"\\\\?\\C:\\" + kLongestPlainName + L"x\\f.srm"},
        LongPathCase{"LongGetsThePrefix", L"C:\\" + kLongName + L"\\f.srm",
                     L"\\\\?\\C:\\" + kLongName + L"\\f.srm"},
        LongPathCase{"LongIsResolvedFirst", L"C:\\" + kLongName + L"\\x\\..\\.\\f.srm",
                     L"\\\\?\\C:\\" + kLongName + L"\\f.srm"},
        LongPathCase{"SlashesBecomeBackslashes", L"C:/" + kLongName + L"/f.srm",
                     L"\\\\?\\C:\\" + kLongName + L"\\f.srm"},
        LongPathCase{"LongNetworkPath", L"\\\\server\\share\\" + kLongName + L"\\f.srm",
                     L"\\\\?\\UNC\\server\\share\\" + kLongName + L"\\f.srm"},
        LongPathCase{"PrefixedStaysAsGiven", L"\\\\?\\C:\\" + kLongName + L"\\x\\..\\f.srm",
                     L"\\\\?\\C:\\" + kLongName + L"\\x\\..\\f.srm"}),
    [](const testing::TestParamInfo<LongPathCase>& info) { return info.param.name; });

}  // namespace
