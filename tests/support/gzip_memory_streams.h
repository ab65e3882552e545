#pragma once
// In-memory ends for our gzip's stream code, for its unit tests and its
// fuzzers: a source that can hand out its bytes in small pieces (to cross
// every buffer boundary) and a sink that keeps them, each able to fail on
// demand.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "byte_stream.h"

namespace gz::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MemorySource final : public ByteSource {
 public:
  // `piece`: the most bytes one read_some returns.
  explicit MemorySource(Bytes bytes, std::size_t piece = SIZE_MAX, std::size_t fail_after = SIZE_MAX)
      : bytes_(std::move(bytes)), piece_(piece), fail_after_(fail_after) {}
  MemorySource(std::span<const std::uint8_t> bytes, std::size_t piece)
      : MemorySource(Bytes(bytes.begin(), bytes.end()), piece) {}

  std::size_t ReadSome(std::span<std::uint8_t> buffer) override {
    if (position_ >= fail_after_) throw ReadError("Input/output error");
    const std::size_t count = std::min({buffer.size(), piece_, bytes_.size() - position_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer.begin());
    position_ += count;
    return count;
  }

 private:
  Bytes bytes_;
  std::size_t piece_;
  std::size_t fail_after_;
  std::size_t position_ = 0;
};

class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(std::size_t fail_after = SIZE_MAX) : fail_after_(fail_after) {}

  void WriteAll(std::span<const std::uint8_t> bytes) override {
    if (data.size() + bytes.size() > fail_after_) throw WriteError("No space left on device");
    data.insert(data.end(), bytes.begin(), bytes.end());
  }

  Bytes data;

 private:
  std::size_t fail_after_;
};

}  // namespace gz::testing
