// Each program of the zip carries project(VERSION) in its version resource,
// as Explorer's Details tab shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_files.h"
#include "version.h"

namespace {

class VersionResourceTest : public testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    const std::wstring path =
        (stavrel::test::BuildMachinePath(STAVREL_PROGRAMS) / GetParam()).wstring();
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_NE(size, 0u) << "no version resource in " << testing::PrintToString(path)
                        << ", error " << GetLastError();
    info_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info_.data()));
  }
  std::wstring Text(const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(info_.data(), key.c_str(), &value, &length) || length == 0) return L"(none)";
    return static_cast<const wchar_t*>(value);
  }
  std::vector<BYTE> info_;
};

TEST_P(VersionResourceTest, CarriesTheProjectVersion) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info_.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, DWORD{STAVREL_VERSION_MAJOR << 16 | STAVREL_VERSION_MINOR});
  EXPECT_EQ(fixed->dwFileVersionLS, DWORD{STAVREL_VERSION_PATCH << 16});
  EXPECT_EQ(Text(L"FileVersion"), L"" STAVREL_VERSION_TEXT);
  EXPECT_EQ(Text(L"OriginalFilename"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Programs, VersionResourceTest,
                         testing::Values(L"stavrel.exe", L"stavrel-cli.exe", L"gzip.exe"));

}  // namespace
