#pragma once
// Reading the conversion factor the user typed, the way classic BASIC reads a
// number from text: the leading number counts, blanks anywhere are ignored,
// anything unreadable gives 0, and "&H"/"&O" introduce hex and octal.
#include <cstdint>
#include <optional>
#include <string_view>

namespace stavrel {

// The value of the text's leading number, before rounding.
double ReadLeadingNumber(std::wstring_view text);

// The factor: the leading number rounded to the nearest integer, halves to
// the even neighbour. Empty when the result lies outside the 32-bit range.
std::optional<std::int32_t> ReadFactor(std::wstring_view text);

// A factor for a script, where a text only partly read is a mistake to
// refuse rather than a number to guess at.
struct FactorReading {
  std::optional<std::int32_t> factor;  // empty: not whole, or outside the 32-bit range
  std::wstring_view read;              // the start of the text the number took, blanks included
  bool whole = false;                  // the number took all of the text but blanks
};

// The window's forms, and what scripts write besides: "0x1F" and a sign
// before "&H", "&O" or "0x". The window's reader does the rest, so a text
// read whole here that the window also reads gives the window's factor.
FactorReading ReadWholeFactor(std::wstring_view text);

}  // namespace stavrel
