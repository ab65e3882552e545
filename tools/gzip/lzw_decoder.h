#pragma once
// Decompression of what `compress` writes (.Z files, magic 1f 9d): LZW codes
// of 9 bits growing up to the stored maximum, read the way GNU gzip reads them.
#include <cstdint>

#include "byte_stream.h"
#include "input_buffer.h"

namespace gz {

// The largest code size GNU gzip decodes; larger ones are refused.
inline constexpr unsigned kLzwMaxBits = 16;

// Decodes the rest of `input` (the two magic bytes already consumed) into
// `output`; returns the bytes written. LZW data has no end marker, so it
// runs to the end of the input. Throws StreamFault (LzwBitsTooMany,
// LzwCorrupt, LzwBadFirstCode, UnexpectedEnd), ReadError, WriteError.
std::uint64_t DecodeLzw(InputBuffer& input, ByteSink& output);

// The reserved bits of the byte after the magic, which GNU gzip warns about
// and then ignores.
inline constexpr std::uint8_t kLzwReservedFlags = 0x60;

}  // namespace gz
