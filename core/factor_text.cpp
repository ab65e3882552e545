#include "factor_text.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <string>

namespace stavrel {
namespace {

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

// "&H1F" or "&O17": digits of the radix follow the prefix; none gives 0.
double ReadRadixNumber(std::wstring_view digits, int radix) {
  double value = 0;
  for (wchar_t c : digits) {
    const int d = DigitValue(c);
    if (d >= radix) break;
    value = value * radix + d;
  }
  return value;
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
double ReadDecimalNumber(std::wstring_view text) {
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
  if (!any_digit) return 0;
  if (i < text.size() &&
      (text[i] == L'E' || text[i] == L'e' || text[i] == L'D' || text[i] == L'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
      exponent += static_cast<char>(text[j++]);
    const std::size_t first_digit = j;
    while (j < text.size() && IsDigit(text[j])) exponent += static_cast<char>(text[j++]);
    if (j > first_digit) number += exponent;  // "1E" alone reads as 1
  }
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return OutOfRange(number);
  return value;
}

}  // namespace

double ReadLeadingNumber(std::wstring_view text) {
  const std::wstring packed = WithoutBlanks(text);
  const std::wstring_view view = packed;
  if (view.size() >= 2 && view[0] == L'&') {
    if (view[1] == L'H' || view[1] == L'h') return ReadRadixNumber(view.substr(2), 16);
    if (view[1] == L'O' || view[1] == L'o') return ReadRadixNumber(view.substr(2), 8);
  }
  return ReadDecimalNumber(view);
}

std::optional<std::int32_t> ReadFactor(std::wstring_view text) {
  const double rounded = std::nearbyint(ReadLeadingNumber(text));  // ties to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace stavrel
