#include <gtest/gtest.h>

#include "base/utf.h"
#include "platform/posix/path_conversion.h"

namespace {

using stavrel::posix::FromPosixPath;
using stavrel::posix::ToPosixPath;
using stavrel::Utf8ToWide;
using stavrel::WideToUtf8;

struct PathCase {
  const char* name;
  std::wstring windows;
  std::string posix;
};

class PathConversionTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathConversionTest, MapsSeparatorsAndEncoding) {
  EXPECT_EQ(ToPosixPath(GetParam().windows), GetParam().posix);
  EXPECT_EQ(FromPosixPath(GetParam().posix), GetParam().windows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathConversionTest,
    testing::Values(PathCase{"Ascii", L"\\tmp\\a b\\c.srm", "/tmp/a b/c.srm"},
                    PathCase{"Latin", L"\\tmp\\s\u00e4ve", "/tmp/s\xC3\xA4ve"},
                    PathCase{"Cjk", L"\\\u65e5\u672c", "/\xE6\x97\xA5\xE6\x9C\xAC"},
                    PathCase{"OutsideBmp", L"\\\U0001F3AE.srm", "/\xF0\x9F\x8E\xAE.srm"},
                    PathCase{"Root", L"\\", "/"}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

TEST(TextConversion, BytesThatAreNotUtf8SurviveTheRoundTrip) {
  for (const std::string bytes :
       {"\xE9t\xE9", "\xC3", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80"}) {
    const std::wstring text = Utf8ToWide(bytes);
    EXPECT_EQ(WideToUtf8(text), bytes);
    for (const wchar_t character : text)
      EXPECT_TRUE(character < 0x80 || character >= 0xDC80) << bytes;
  }
}

}  // namespace
