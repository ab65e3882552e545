#pragma once
// A failed property ends the run the way a sanitizer would, so libFuzzer
// keeps the input as a crash file. The message says which property and why.
#include <string>

namespace stavrel::fuzz {

// Prints the property and the detail (non-ASCII escaped) and aborts.
[[noreturn]] void Fail(const char* property, const std::wstring& detail);

inline void Require(bool holds, const char* property, const std::wstring& detail = L"") {
  if (!holds) Fail(property, detail);
}

// Prints text with its control and non-ASCII characters escaped, so that a
// failure report can be pasted into a test.
std::wstring Quoted(const std::wstring& text);

// A double with every digit needed to tell it from its neighbours.
std::wstring Exact(double value);

}  // namespace stavrel::fuzz
