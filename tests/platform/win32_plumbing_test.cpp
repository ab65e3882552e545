// The Win32 pieces the program, its platform and its tests share.
#include <gtest/gtest.h>

#include "base/utf.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"

namespace {

using stavrel::ErrorKind;
using stavrel::IsValidUtf8;
using stavrel::Utf8ToWide;
using stavrel::WideToUtf8;
using namespace stavrel::win32;

struct ErrorCase {
  const char* name;
  DWORD code;
  ErrorKind kind;
};

class Win32ErrorTest : public testing::TestWithParam<ErrorCase> {};

// The window reports its own failures through the same road, so a locked or
// missing file reads alike wherever it is met.
TEST_P(Win32ErrorTest, CarriesTheKindAndTheSystemsWordsWithoutALineBreak) {
  const stavrel::SystemError error = Win32Error(L"open", L"C:\\a.srm", GetParam().code);
  EXPECT_EQ(error.Kind(), GetParam().kind);
  ASSERT_FALSE(error.Reason().empty());
  EXPECT_EQ(error.Reason().find_last_not_of(L"\r\n "), error.Reason().size() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Win32ErrorTest,
    testing::Values(ErrorCase{"FileNotFound", ERROR_FILE_NOT_FOUND, ErrorKind::NotFound},
                    ErrorCase{"PathNotFound", ERROR_PATH_NOT_FOUND, ErrorKind::NotFound},
                    ErrorCase{"AlreadyExists", ERROR_ALREADY_EXISTS, ErrorKind::AlreadyExists},
                    ErrorCase{"SharingViolation", ERROR_SHARING_VIOLATION, ErrorKind::AccessDenied},
                    ErrorCase{"DiskFull", ERROR_DISK_FULL, ErrorKind::Other}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST(Win32Error, ACodeWithoutTextIsNamedByNumber) {
  EXPECT_EQ(SystemErrorText(0x2000FFFF), L"Windows error 536936447");
}

TEST(Utf, RoundTripsBeyondTheBasicPlane) {
  const std::string utf8 = "s\xC3\xA4ve \xE6\x97\xA5 \xF0\x9F\x8E\xAE";
  EXPECT_EQ(Utf8ToWide(utf8), L"s\u00e4ve \u65e5 \U0001F3AE");
  EXPECT_EQ(WideToUtf8(Utf8ToWide(utf8)), utf8);
  EXPECT_TRUE(IsValidUtf8(utf8));
}

TEST(Utf, InvalidUtf8IsReplacedOrRefused) {
  EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
  EXPECT_FALSE(IsValidUtf8("a\xC3"));
  EXPECT_TRUE(IsValidUtf8(""));
}

TEST(ScopedHandle, InvalidHandleValueOwnsNothingAndResetCloses) {
  EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE).Valid());
  KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event.Valid());
  const HANDLE raw = event.Get();
  KernelHandle moved = std::move(event);
  EXPECT_FALSE(event.Valid());
  moved.Reset();
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

}  // namespace
