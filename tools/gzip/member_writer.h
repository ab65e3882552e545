#pragma once
// Compression of one input into one gzip member, header fields as GNU gzip
// writes them.
#include <cstdint>
#include <optional>
#include <string>

#include "byte_stream.h"

namespace gz {

struct MemberFields {
  std::optional<std::string> name;  // FNAME, the input's name without folders
  std::uint32_t mtime = 0;          // MTIME, 0 when unknown
  int level = 6;                    // 1 (fastest) to 9 (smallest)
};

struct CompressTotals {
  std::uint64_t bytes_in = 0;
  std::uint64_t bytes_out = 0;
  std::uint64_t header_bytes = 0;  // header and trailer, for the ratio
};

CompressTotals CompressMember(ByteSource& input, ByteSink& output, const MemberFields& fields);

}  // namespace gz
