// Inputs the fuzz targets in fuzz/ found wrong, kept as ordinary tests.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "factor_text.h"

namespace stavrel {
namespace {

// A number written with hundreds of digits, as the factor fuzzer builds them.
struct LongNumberCase {
  const wchar_t* before;
  std::size_t zeros;
  const wchar_t* after;
  double value;  // what ReadLeadingNumber gives
  std::optional<std::int32_t> factor;
};

TEST(FuzzRegressions, LongNumbersBeyondTheDoubleRangeKeepTheirSize) {
  const LongNumberCase cases[] = {
      // 1E-401: below the smallest double, so 0, although no exponent is negative.
      {L"0.", 400, L"1", 0, 0},
      {L"-0.", 400, L"1", 0, 0},
      {L"0.", 400, L"1E10", 0, 0},
      {L"0.", 400, L"1 D 2", 0, 0},
      // 1E400: beyond the largest double although the exponent is negative.
      {L"1", 500, L"E-100", HUGE_VAL, std::nullopt},
      {L"-1", 500, L"D-100", -HUGE_VAL, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::wstring text = c.before + std::wstring(c.zeros, L'0') + c.after;
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.before)) << " + " << c.zeros
                                    << " zeros + " << testing::PrintToString(std::wstring(c.after)));
    EXPECT_EQ(ReadLeadingNumber(text), c.value);
    EXPECT_EQ(ReadFactor(text), c.factor);
  }
}

}  // namespace
}  // namespace stavrel
