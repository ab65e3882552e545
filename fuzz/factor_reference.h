#pragma once
// A second, deliberately plain reading of a typed conversion factor, written
// apart from core/factor_text.cpp so that the two can be compared.
#include <cstdint>
#include <optional>
#include <string>

namespace stavrel::fuzz {

struct ReferenceNumber {
  double value = 0;
  // Hex and octal values are exact integers here, saturated above 2^53.
  bool radix = false;
};

ReferenceNumber ReferenceLeadingNumber(const std::wstring& text);

// Rounded half to even; empty outside the 32-bit range.
std::optional<std::int32_t> ReferenceRound(double value);

inline std::optional<std::int32_t> ReferenceFactor(const std::wstring& text) {
  return ReferenceRound(ReferenceLeadingNumber(text).value);
}

}  // namespace stavrel::fuzz
