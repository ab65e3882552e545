#pragma once
// Turns fuzz bytes into wide text over a small alphabet, so that the fuzzer
// spends its time on texts the code under test can tell apart rather than on
// bytes that all take the same "anything else" path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stavrel::fuzz {

// Each byte picks a character of `alphabet` (by its value modulo the size).
inline std::wstring MapToAlphabet(const std::uint8_t* data, std::size_t size,
                                  std::wstring_view alphabet) {
  std::wstring text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) text += alphabet[data[i] % alphabet.size()];
  return text;
}

// As MapToAlphabet, except that the bytes from 0xf8 up repeat the character
// before them 8, 16, ... 1024 times: runs of hundreds of digits, where
// number reading changes behaviour, then cost the fuzzer a single byte.
// The text stops at `max_length`: longer ones only slow the fuzzer down.
inline std::wstring MapToAlphabetWithRuns(const std::uint8_t* data, std::size_t size,
                                          std::wstring_view alphabet, std::size_t max_length) {
  constexpr std::uint8_t kFirstRunByte = 0xf8;
  std::wstring text;
  for (std::size_t i = 0; i < size && text.size() < max_length; ++i) {
    if (data[i] < kFirstRunByte)
      text += alphabet[data[i] % alphabet.size()];
    else if (!text.empty())
      text.append(std::size_t{8} << (data[i] - kFirstRunByte), text.back());
  }
  if (text.size() > max_length) text.resize(max_length);
  return text;
}

}  // namespace stavrel::fuzz
