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

}  // namespace stavrel
