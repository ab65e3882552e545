#pragma once
// zlib's own gzip decoding (inflate with windowBits 31) of the first member,
// the yardstick for our member reader.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace stavrel::fuzz {

struct ZlibMember {
  std::vector<std::uint8_t> data;
  std::size_t bytes_used = 0;  // the member's size, header to trailer
};

// The first member's data, or nothing when zlib finds it invalid or cut.
std::optional<ZlibMember> ZlibFirstMember(std::span<const std::uint8_t> input);

}  // namespace stavrel::fuzz
