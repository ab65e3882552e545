#include "factor_reference.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace stavrel::fuzz {
namespace {

std::wstring Packed(const std::wstring& text) {
  std::wstring packed;
  for (wchar_t c : text)
    if (c != L' ' && c != L'\t' && c != L'\n') packed += c;
  return packed;
}

int RadixDigit(wchar_t c, int radix) {
  int d = 99;
  if (c >= L'0' && c <= L'9') d = c - L'0';
  if (c >= L'a' && c <= L'z') d = c - L'a' + 10;
  if (c >= L'A' && c <= L'Z') d = c - L'A' + 10;
  return d < radix ? d : -1;
}

double RadixValue(const std::wstring& digits, int radix) {
  constexpr std::uint64_t kSaturated = std::uint64_t{1} << 53;
  std::uint64_t value = 0;
  for (wchar_t c : digits) {
    const int d = RadixDigit(c, radix);
    if (d < 0) break;
    value = value * radix + d;
    if (value > kSaturated) value = kSaturated;
  }
  return static_cast<double>(value);
}

// Copies the number's characters as the C library spells them, char by char
// through a small state machine, and leaves the arithmetic to strtod.
// The process never calls setlocale, so strtod reads '.' as the point.
double DecimalValue(const std::wstring& text) {
  enum State { Start, Sign, Whole, Point, Fraction, Done } state = Start;
  std::string number;
  bool digits = false;
  std::size_t i = 0;
  for (; i < text.size() && state != Done; ++i) {
    const wchar_t c = text[i];
    const bool digit = c >= L'0' && c <= L'9';
    if (digit && state != Point && state != Fraction) {
      state = Whole;
    } else if (digit) {
      state = Fraction;
    } else if ((c == L'+' || c == L'-') && state == Start) {
      state = Sign;
    } else if (c == L'.' && (state == Start || state == Sign || state == Whole)) {
      state = Point;
    } else {
      break;
    }
    digits = digits || digit;
    number += static_cast<char>(c);
  }
  if (!digits) return 0;
  if (i < text.size() && std::wstring(L"EeDd").find(text[i]) != std::wstring::npos) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent += static_cast<char>(text[j++]);
    bool exponent_digits = false;
    for (; j < text.size() && text[j] >= L'0' && text[j] <= L'9'; ++j) {
      exponent += static_cast<char>(text[j]);
      exponent_digits = true;
    }
    if (exponent_digits) number += exponent;
  }
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace

ReferenceNumber ReferenceLeadingNumber(const std::wstring& text) {
  const std::wstring packed = Packed(text);
  if (packed.size() >= 2 && packed[0] == L'&') {
    const wchar_t kind = packed[1];
    if (kind == L'H' || kind == L'h') return {RadixValue(packed.substr(2), 16), true};
    if (kind == L'O' || kind == L'o') return {RadixValue(packed.substr(2), 8), true};
  }
  return {DecimalValue(packed), false};
}

std::optional<std::int32_t> ReferenceRound(double value) {
  // Beyond 2^32 in size no rounding can bring the value back into range.
  if (!(std::fabs(value) < 4294967296.0)) return std::nullopt;
  const double below = std::floor(value);
  const double rest = value - below;  // exact: |value| < 2^32
  double rounded = below;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2) != 0)) rounded = below + 1;
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace stavrel::fuzz
