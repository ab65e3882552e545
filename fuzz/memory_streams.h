#pragma once
// In-memory ends for our gzip: a source that hands out its bytes in pieces of
// a chosen size, so that buffer refills fall anywhere, and a collecting sink.
#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "byte_stream.h"

namespace stavrel::fuzz {

class MemorySource final : public gz::ByteSource {
 public:
  // `piece`: the most bytes one read_some returns; 0 for no limit.
  MemorySource(std::span<const std::uint8_t> bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}

  std::size_t read_some(std::span<std::uint8_t> buffer) override {
    std::size_t count = std::min(buffer.size(), bytes_.size() - position_);
    if (piece_ != 0) count = std::min(count, piece_);
    std::memcpy(buffer.data(), bytes_.data() + position_, count);
    position_ += count;
    return count;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t piece_;
  std::size_t position_ = 0;
};

class MemorySink final : public gz::ByteSink {
 public:
  std::vector<std::uint8_t> bytes;
  void write_all(std::span<const std::uint8_t> data) override { bytes.insert(bytes.end(), data.begin(), data.end()); }
};

}  // namespace stavrel::fuzz
