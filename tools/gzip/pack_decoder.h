#pragma once
// Decompression of what the old `pack` program writes (.z files, magic 1f 1e):
// the original length, a canonical Huffman tree given as leaf counts per
// code length and the leaves' byte values, then the codes, most significant
// bit first, ending with an end-of-block code.
#include <cstdint>

#include "byte_stream.h"
#include "input_buffer.h"

namespace gz {

// Decodes one packed member from `input` (the two magic bytes already
// consumed) into `output`; returns the bytes written. Stops after the
// end-of-block code and the rest of its byte, so another member may follow.
// Throws StreamFault (PackBitLength, PackTooManyLeaves, PackTooFewLeaves,
// PackLengthError, UnexpectedEnd), ReadError, WriteError.
std::uint64_t DecodePack(InputBuffer& input, ByteSink& output);

}  // namespace gz
