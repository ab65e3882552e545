// ReadFactor and ReadLeadingNumber against the plain reading in
// factor_reference.cpp, on texts over the characters a number can hold.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "factor_reference.h"
#include "factor_text.h"
#include "fuzz_check.h"
#include "text_alphabet.h"

namespace {

using namespace stavrel;
using namespace stavrel::fuzz;

// Digits twice: long digit runs are where number reading goes wrong.
constexpr wchar_t kAlphabet[] =
    L"0123456789" L"0123456789" L"+-.eEdD&hHoO \t\n,aAfFgx\r\u0661";

std::wstring Describe(const std::wstring& text, const std::optional<std::int32_t>& ours,
                      const std::optional<std::int32_t>& reference) {
  auto show = [](const std::optional<std::int32_t>& v) {
    return v ? std::to_wstring(*v) : std::wstring(L"nullopt");
  };
  return L"text " + Quoted(text) + L"\nReadFactor " + show(ours) + L", reference " + show(reference);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The cap keeps each run fast and still reaches far past the 309 digits
  // of the largest double.
  const std::wstring text = MapToAlphabetWithRuns(data, size, {kAlphabet, std::size(kAlphabet) - 1}, 2048);
  const ReferenceNumber reference = ReferenceLeadingNumber(text);

  const std::optional<std::int32_t> ours = ReadFactor(text);
  const std::optional<std::int32_t> expected = ReferenceRound(reference.value);
  Require(ours == expected, "ReadFactor agrees with the reference", Describe(text, ours, expected));

  // Both readings round correctly to a double, so they agree exactly, except
  // on subnormals (which may read as 0, harmless: they round to 0 anyway) and
  // on hex or octal past 2^53, where only "too large" matters.
  const double value = ReadLeadingNumber(text);
  const double r = reference.value;
  const bool comparable = (r == 0 || std::fabs(r) >= DBL_MIN) && !(reference.radix && r >= 0x1p53);
  if (comparable)
    Require(value == r, "ReadLeadingNumber agrees with strtod",
            L"text " + Quoted(text) + L"\nReadLeadingNumber " + Exact(value) + L", reference " + Exact(r));
  return 0;
}
