#include "lzw_decoder.h"

#include <algorithm>
#include <array>
#include <memory>

#include "decoding.h"

namespace gz {
namespace {

constexpr std::uint8_t kMaxBitsMask = 0x1f;
constexpr std::uint8_t kBlockMode = 0x80;
constexpr unsigned kFirstBits = 9;
constexpr unsigned kClear = 256;

// Codes come in groups of eight, one group filling `bits` bytes. When the
// code size changes or the table is cleared, compress starts a new group,
// so the rest of the current one is skipped.
class CodeReader {
 public:
  explicit CodeReader(InputBuffer& input) : input_(input) {}

  // The next code of `bits` bits, or -1 at the end of the data (a code
  // cut by the end of the input is no code).
  long Next(unsigned bits) {
    if (index_ == count_) {
      if (!LoadGroup(bits)) return -1;
    }
    const std::size_t first_bit = index_ * bits;
    std::uint32_t value = 0;
    for (unsigned i = 0; i < 3 && first_bit / 8 + i < length_; ++i)
      value |= std::uint32_t{group_[first_bit / 8 + i]} << (8 * i);
    ++index_;
    return static_cast<long>((value >> (first_bit % 8)) & ((1u << bits) - 1));
  }

  void SkipRestOfGroup() { index_ = count_ = 0; }

 private:
  bool LoadGroup(unsigned bits) {
    length_ = 0;
    while (length_ < bits) {
      const std::span<const std::uint8_t> bytes = input_.Available();
      if (bytes.empty()) break;
      const std::size_t take = std::min<std::size_t>(bytes.size(), bits - length_);
      std::copy_n(bytes.begin(), take, group_.begin() + static_cast<std::ptrdiff_t>(length_));
      input_.Consume(take);
      length_ += take;
    }
    index_ = 0;
    count_ = std::min<std::size_t>(8, length_ * 8 / bits);
    return count_ != 0;
  }

  InputBuffer& input_;
  std::array<std::uint8_t, 16> group_{};
  std::size_t length_ = 0;
  std::size_t index_ = 0;
  std::size_t count_ = 0;
};

// Room for every code the data can name: 9-bit data goes on with 10-bit
// codes once its table is full, and those can name codes past the table,
// entries it never defined. Those read as in a fresh table, as zeros; wider
// data only ever reads entries it has defined.
constexpr std::size_t kNarrowSlots = std::size_t{1} << 10;
std::size_t TableSlots(unsigned max_bits) { return std::max(std::size_t{1} << max_bits, kNarrowSlots); }

template <typename T>
std::unique_ptr<T[]> TableOf(unsigned max_bits) {
  auto table = std::make_unique_for_overwrite<T[]>(TableSlots(max_bits));
  std::fill_n(table.get(), kNarrowSlots, T{0});
  return table;
}

class LzwDecoder {
 public:
  LzwDecoder(InputBuffer& input, ByteSink& output, unsigned max_bits, bool block_mode)
      : codes_(input),
        output_(output),
        block_mode_(block_mode),
        max_bits_(max_bits),
        table_size_(1u << max_bits),
        next_free_(block_mode ? kClear + 1 : kClear),
        prefix_(TableOf<std::uint16_t>(max_bits)),
        suffix_(TableOf<std::uint8_t>(max_bits)),
        stack_size_(TableSlots(max_bits) + 1),
        stack_(std::make_unique_for_overwrite<std::uint8_t[]>(stack_size_)) {
    for (unsigned c = 0; c < 256; ++c) suffix_[c] = static_cast<std::uint8_t>(c);
  }

  std::uint64_t Run() {
    long code = codes_.Next(bits_);
    if (code < 0) return 0;
    if (code >= 256) throw StreamFault(Fault::LzwBadFirstCode);
    std::uint32_t previous = static_cast<std::uint32_t>(code);
    std::uint8_t last_first_byte = static_cast<std::uint8_t>(code);
    output_.Put(last_first_byte);
    for (;;) {
      if (next_free_ > largest_code_) Widen();
      code = codes_.Next(bits_);
      if (code < 0) break;
      if (block_mode_ && code == kClear) {
        Clear();
        continue;
      }
      const auto incoming = static_cast<std::uint32_t>(code);
      std::size_t top = stack_size_;
      std::uint32_t walk = incoming;
      if (walk >= next_free_) {
        if (walk > next_free_) {
          output_.Flush();
          throw StreamFault(Fault::LzwCorrupt);
        }
        // The code being defined right now: its string is the previous
        // one plus the previous one's first byte.
        stack_[--top] = last_first_byte;
        walk = previous;
      }
      while (walk >= 256) {
        stack_[--top] = suffix_[walk];
        walk = prefix_[walk];
      }
      last_first_byte = suffix_[walk];
      stack_[--top] = last_first_byte;
      output_.PutAll(std::span(stack_.get() + top, stack_.get() + stack_size_));
      if (next_free_ < table_size_) {
        prefix_[next_free_] = static_cast<std::uint16_t>(previous);
        suffix_[next_free_] = last_first_byte;
        ++next_free_;
      }
      previous = incoming;
    }
    output_.Flush();
    return output_.Written();
  }

 private:
  void Widen() {
    codes_.SkipRestOfGroup();
    ++bits_;
    largest_code_ = bits_ == max_bits_ ? table_size_ : (1u << bits_) - 1;
  }

  // After a clear compress counts from 257 again; the first code read
  // afterwards still defines entry 256, which is never used.
  void Clear() {
    codes_.SkipRestOfGroup();
    next_free_ = kClear;
    bits_ = kFirstBits;
    largest_code_ = (1u << kFirstBits) - 1;
  }

  CodeReader codes_;
  ChunkedOutput output_;
  bool block_mode_;
  unsigned max_bits_;
  std::uint32_t table_size_;
  std::uint32_t next_free_;
  unsigned bits_ = kFirstBits;
  std::uint32_t largest_code_ = (1u << kFirstBits) - 1;
  // Each code's string is its prefix code's string plus one byte; strings
  // come out last byte first, so they are put together on a stack.
  std::unique_ptr<std::uint16_t[]> prefix_;
  std::unique_ptr<std::uint8_t[]> suffix_;
  std::size_t stack_size_;
  std::unique_ptr<std::uint8_t[]> stack_;
};

}  // namespace

std::uint64_t DecodeLzw(InputBuffer& input, ByteSink& output) {
  const std::uint8_t flags = NextByte(input);
  const unsigned max_bits = flags & kMaxBitsMask;
  if (max_bits > kLzwMaxBits) throw StreamFault(Fault::LzwBitsTooMany, max_bits);
  LzwDecoder decoder(input, output, max_bits, (flags & kBlockMode) != 0);
  return decoder.Run();
}

}  // namespace gz
