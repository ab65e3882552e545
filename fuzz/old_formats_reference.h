#pragma once
// Slow, plain decoders of the two old formats our gzip reads, written apart
// from it to check it against: whole strings in the LZW table, a map from
// (length, code) to leaf for packed data, the input as one vector of bits.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "member_reader.h"

namespace stavrel::fuzz {

struct ReferenceResult {
  std::vector<std::uint8_t> output;  // what came out, up to the fault if any
  std::optional<gz::Fault> fault;
  std::size_t bytes_used = 0;  // packed data: where the member ended
};

// `data`: what follows the magic bytes 1f 9d.
ReferenceResult ReferenceLzw(std::span<const std::uint8_t> data);
// `data`: what follows the magic bytes 1f 1e.
ReferenceResult ReferencePack(std::span<const std::uint8_t> data);

}  // namespace stavrel::fuzz
