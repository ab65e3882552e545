#pragma once
// Numbers as GNU gzip 1.12 prints them.
#include <cstdint>
#include <string>

namespace gz {

// The space saving -v and -l show, "%5.1f%%" of the uncompressed size; the
// compressed size counts without `header_bytes` (GNU's counts leave out the
// header and trailer of a lone member).
std::string RatioText(std::uint64_t compressed, std::uint64_t uncompressed, std::uint64_t header_bytes);

// `value` in lower-case hexadecimal, at least `digits` long.
std::string HexText(std::uint32_t value, int digits);

}  // namespace gz
