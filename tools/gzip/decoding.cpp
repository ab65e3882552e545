#include "decoding.h"

namespace gz {

const char* FaultWords(Fault fault) {
  switch (fault) {
    case Fault::NotGzip: return "not in gzip format";
    case Fault::UnexpectedEnd: return "unexpected end of file";
    case Fault::FormatViolated: return "invalid compressed data--format violated";
    case Fault::CrcError: return "invalid compressed data--crc error";
    case Fault::LengthError: return "invalid compressed data--length error";
    case Fault::CrcAndLengthError: return "invalid compressed data--crc and length error";
    case Fault::UnknownMethod: return "unknown method";
    case Fault::Encrypted: return "encrypted";
    case Fault::ReservedFlags: return "reserved flags";
    case Fault::HeaderChecksum: return "header checksum mismatch";
    case Fault::LzwBitsTooMany: return "LZW code size over 16 bits";
    case Fault::LzwBadFirstCode:
    case Fault::LzwCorrupt: return "corrupt input.";
    case Fault::PackBitLength: return "invalid compressed data -- Huffman code bit length out of range";
    case Fault::PackTooManyLeaves: return "too many leaves in Huffman tree";
    case Fault::PackTooFewLeaves: return "too few leaves in Huffman tree";
    case Fault::PackLengthError: return "invalid compressed data--length error";
  }
  return "stream fault";
}

std::uint8_t NextByte(InputBuffer& input) {
  const std::optional<std::uint8_t> byte = input.TryByte();
  if (!byte) throw StreamFault(Fault::UnexpectedEnd);
  return *byte;
}

void ChunkedOutput::PutAll(std::span<const std::uint8_t> bytes) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  if (pending_.size() >= kChunk) Flush();
}

void ChunkedOutput::Flush() {
  sink_.WriteAll(pending_);
  written_ += pending_.size();
  pending_.clear();
}

}  // namespace gz
