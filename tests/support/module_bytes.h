#pragma once
// Files for the program to work on, and what it must make of them: modules
// (26-byte variable records with a signed 32-bit little-endian address at
// byte 21) and the data of a save state.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace stavrel::test {

using Bytes = std::vector<std::uint8_t>;

// A module of `records` records whose addresses are given (cycled), every
// other byte distinct enough to show a shifted or lost byte, followed by
// `tail` loose bytes.
Bytes MakeModule(std::size_t records, const std::vector<std::int32_t>& addresses,
                 std::size_t tail = 0);
// One record for each address.
inline Bytes MakeModule(const std::vector<std::int32_t>& addresses, std::size_t tail = 0) {
  return MakeModule(addresses.size(), addresses, tail);
}

// What a correct conversion writes: every whole record's address shifted by
// `factor` (wrapping around), the tail as it was.
Bytes Converted(Bytes module, std::int32_t factor);

// The decompressed data of a save state: 300,000 bytes that compress, with
// no two nearby runs alike.
Bytes StateData();

}  // namespace stavrel::test
