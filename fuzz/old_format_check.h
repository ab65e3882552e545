#pragma once
// The check both fuzz targets of the older formats (LZW, pack) make.
#include <cstdint>
#include <span>

#include "byte_stream.h"
#include "input_buffer.h"
#include "old_formats_reference.h"

namespace stavrel::fuzz {

using OldFormatDecoder = std::uint64_t (*)(gz::InputBuffer& input, gz::ByteSink& output);
using OldFormatReference = ReferenceResult (*)(std::span<const std::uint8_t> input);

// LZW data has no end marker; packed data says where it ends.
enum class EndOfData { RunsToTheEnd, EndsItself };

void CheckOldFormatDecoder(std::span<const std::uint8_t> input, OldFormatDecoder decode,
                           OldFormatReference decode_reference, EndOfData end);

}  // namespace stavrel::fuzz
