#pragma once
// What every decoder shares (deflate members, LZW, pack): the faults a
// stream can have and GNU gzip's words for them, the byte that must be
// there, and decoded bytes handed on in chunks.
#include <cstdint>
#include <exception>
#include <span>
#include <vector>

#include "byte_stream.h"
#include "input_buffer.h"

namespace gz {

enum class Fault {
  NotGzip,            // the input does not start with a gzip header
  UnexpectedEnd,      // the input ends inside a member
  FormatViolated,     // the deflate data is invalid
  CrcError,           // the data does not match the trailer's CRC-32
  LengthError,        // the data does not match the trailer's length
  CrcAndLengthError,  // both
  UnknownMethod,      // compression method other than deflate; Value()
  Encrypted,          // FLG says encrypted
  ReservedFlags,      // FLG has reserved bits set; Value() is FLG
  HeaderChecksum,     // FHCRC mismatch; Value() found, Computed() expected
  LzwBitsTooMany,     // LZW codes wider than 16 bits; Value() is the width
  LzwBadFirstCode,    // the first LZW code is not a byte
  LzwCorrupt,         // an LZW code beyond the table
  PackBitLength,      // packed: code length 0 or over 25
  PackTooManyLeaves,  // packed: more leaves than the code lengths allow
  PackTooFewLeaves,   // packed: the tree has codes without leaves
  PackLengthError,    // packed: the data does not match the stored length
};

// GNU gzip's words for the fault ("unexpected end of file").
const char* FaultWords(Fault fault);

// What GNU gzip warns about and then decompresses anyway.
enum class Warning {
  LzwUnknownFlags,  // reserved bits in the LZW header; value are those bits
};

struct StreamWarning {
  Warning warning;
  unsigned value = 0;
};

class StreamFault : public std::exception {
 public:
  explicit StreamFault(Fault fault, unsigned value = 0, unsigned computed = 0)
      : fault_(fault), value_(value), computed_(computed) {}
  Fault Kind() const { return fault_; }
  unsigned Value() const { return value_; }
  unsigned Computed() const { return computed_; }
  const char* what() const noexcept override { return FaultWords(fault_); }

 private:
  Fault fault_;
  unsigned value_;
  unsigned computed_;
};

// The next byte of a stream that must go on; throws StreamFault
// (UnexpectedEnd) at the end of the input.
std::uint8_t NextByte(InputBuffer& input);

// Decoded bytes gathered and handed to the sink a chunk at a time.
class ChunkedOutput {
 public:
  explicit ChunkedOutput(ByteSink& sink) : sink_(sink) {}

  void Put(std::uint8_t byte) {
    pending_.push_back(byte);
    if (pending_.size() >= kChunk) Flush();
  }
  void PutAll(std::span<const std::uint8_t> bytes);
  // Hands on what is gathered; throws WriteError.
  void Flush();
  // Every byte handed on so far.
  std::uint64_t Written() const { return written_; }

 private:
  static constexpr std::size_t kChunk = 64 * 1024;
  ByteSink& sink_;
  std::vector<std::uint8_t> pending_;
  std::uint64_t written_ = 0;
};

}  // namespace gz
