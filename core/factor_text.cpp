#include "factor_text.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <string>

namespace stavrel {
namespace {

// A number read from the start of a text without blanks, and how many
// characters it took: 0 when the text starts with no number at all.
struct NumberReading {
  double value = 0;
  std::size_t length = 0;
};

bool IsIgnoredBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

// The text with its blanks, tabs and line feeds removed: they are ignored
// anywhere, so "1 0" reads as 10.
std::wstring WithoutBlanks(std::wstring_view text) {
  std::wstring packed;
  packed.reserve(text.size());
  for (wchar_t c : text)
    if (!IsIgnoredBlank(c)) packed += c;
  return packed;
}

int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return 99;
}

// The digits of the radix that follow a prefix ("&H", "&O", "0x") of
// `prefix` characters; without a digit nothing counts as read, and the value
// is 0.
NumberReading ReadRadixNumber(std::wstring_view text, std::size_t prefix, int radix) {
  double value = 0;
  std::size_t i = prefix;
  for (; i < text.size() && DigitValue(text[i]) < radix; ++i)
    value = value * radix + DigitValue(text[i]);
  return {value, i == prefix ? 0 : i};
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A number too large or too small for a double, in the form built below
// ("-ddd.ddde-dd"): its size is that of its first significant digit.
double OutOfRange(const std::string& number) {
  const bool negative = number[0] == '-';
  const std::size_t e = number.find('e');
  const std::string mantissa = number.substr(
      negative ? 1 : 0, e == std::string::npos ? std::string::npos : e - (negative ? 1 : 0));
  long long exponent = 0;
  if (e != std::string::npos) {
    std::size_t i = e + 1;
    const bool exponent_negative = number[i] == '-';
    if (number[i] == '+' || number[i] == '-') ++i;
    for (; i < number.size(); ++i)
      exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
    if (exponent_negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_not_of("0.");
  // Digits before the point count up, zeros after it count down.
  const long long place = first < point ? static_cast<long long>(point - first) - 1
                                        : -static_cast<long long>(first - point);
  if (place + exponent < 0) return negative ? -0.0 : 0.0;
  return negative ? -HUGE_VAL : HUGE_VAL;
}

// Sign, digits, point, fraction, exponent (E, e, D or d), stopping at the
// first character that cannot continue the number.
NumberReading ReadDecimalNumber(std::wstring_view text) {
  std::string number;  // ASCII copy in the form from_chars reads
  std::size_t i = 0;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') number += '-';
    ++i;
  }
  bool any_digit = false;
  while (i < text.size() && IsDigit(text[i]))
    number += static_cast<char>(text[i++]), any_digit = true;
  if (i < text.size() && text[i] == L'.') {
    number += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      number += static_cast<char>(text[i++]), any_digit = true;
  }
  if (!any_digit) return {};
  if (i < text.size() &&
      (text[i] == L'E' || text[i] == L'e' || text[i] == L'D' || text[i] == L'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
      exponent += static_cast<char>(text[j++]);
    const std::size_t first_digit = j;
    while (j < text.size() && IsDigit(text[j])) exponent += static_cast<char>(text[j++]);
    if (j > first_digit) {  // "1E" alone reads as 1
      number += exponent;
      i = j;
    }
  }
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return {OutOfRange(number), i};
  return {value, i};
}

// "&H" and "&O" in either case; 0 when `text` starts with neither.
int WindowRadix(std::wstring_view text) {
  if (text.size() < 2 || text[0] != L'&') return 0;
  if (text[1] == L'H' || text[1] == L'h') return 16;
  if (text[1] == L'O' || text[1] == L'o') return 8;
  return 0;
}

NumberReading ReadWindowNumber(std::wstring_view packed) {
  if (const int radix = WindowRadix(packed)) return ReadRadixNumber(packed, 2, radix);
  return ReadDecimalNumber(packed);
}

// What scripts write besides: "0x1F", and a sign before any radix prefix.
NumberReading ReadScriptNumber(std::wstring_view packed) {
  const bool signed_text = !packed.empty() && (packed[0] == L'-' || packed[0] == L'+');
  const std::wstring_view unsigned_text = packed.substr(signed_text ? 1 : 0);
  NumberReading reading;
  if (const int radix = WindowRadix(unsigned_text))
    reading = ReadRadixNumber(unsigned_text, 2, radix);
  else if (unsigned_text.starts_with(L"0x") || unsigned_text.starts_with(L"0X"))
    reading = ReadRadixNumber(unsigned_text, 2, 16);
  if (reading.length == 0) return ReadWindowNumber(packed);
  if (packed[0] == L'-') reading.value = -reading.value;
  reading.length += signed_text ? 1 : 0;
  return reading;
}

// The length of the shortest start of `text` that holds the first `packed`
// characters other than blanks.
std::size_t LengthWithBlanks(std::wstring_view text, std::size_t packed) {
  std::size_t i = 0;
  for (; i < text.size() && packed > 0; ++i)
    if (!IsIgnoredBlank(text[i])) --packed;
  return i;
}

std::optional<std::int32_t> RoundToFactor(double value) {
  const double rounded = std::nearbyint(value);  // ties to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

double ReadLeadingNumber(std::wstring_view text) {
  return ReadWindowNumber(WithoutBlanks(text)).value;
}

std::optional<std::int32_t> ReadFactor(std::wstring_view text) {
  return RoundToFactor(ReadLeadingNumber(text));
}

FactorReading ReadWholeFactor(std::wstring_view text) {
  const NumberReading number = ReadScriptNumber(WithoutBlanks(text));
  const std::size_t length = LengthWithBlanks(text, number.length);
  const bool whole =
      number.length > 0 &&
      std::all_of(text.begin() + static_cast<std::ptrdiff_t>(length), text.end(), IsIgnoredBlank);
  return {whole ? RoundToFactor(number.value) : std::nullopt, text.substr(0, length), whole};
}

}  // namespace stavrel
