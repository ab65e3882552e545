#pragma once
// Buffered reading from a ByteSource with the two views the gzip format
// needs: byte by byte for headers and trailers, in bulk for compressed data.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "byte_stream.h"

namespace gz {

class InputBuffer {
 public:
  explicit InputBuffer(ByteSource& source, std::size_t capacity = 256 * 1024);

  // The buffered bytes not consumed yet; refills first when none are left.
  // Empty only at the end of the input.
  std::span<const std::uint8_t> Available();
  void Consume(std::size_t count);

  // The next byte, or nothing at the end of the input.
  std::optional<std::uint8_t> TryByte();
  // True when no byte is left, reading ahead if it must.
  bool AtEnd();

  // Every byte taken from the source so far, consumed or not.
  std::uint64_t BytesRead() const { return bytes_read_; }

 private:
  bool Refill();

  ByteSource& source_;
  std::vector<std::uint8_t> storage_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::uint64_t bytes_read_ = 0;
};

}  // namespace gz
