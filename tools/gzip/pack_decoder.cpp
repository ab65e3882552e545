#include "pack_decoder.h"

#include <array>
#include <vector>

#include "decoding.h"

namespace gz {
namespace {

// Code lengths GNU gzip accepts, and how many bits it looks at before
// decoding each code: its reads ahead decide when a cut input is noticed.
constexpr unsigned kMaxCodeLength = 25;
constexpr unsigned kLookAhead = 12;
constexpr unsigned kMaxLeaves = 256;

struct Tree {
  unsigned max_length = 0;
  // Per code length (index 1 up to max_length): leaves, the first leaf
  // code, and where its leaves start in `leaves`.
  std::array<std::uint32_t, kMaxCodeLength + 1> count{};
  std::array<std::uint32_t, kMaxCodeLength + 1> first_code{};
  std::array<std::uint32_t, kMaxCodeLength + 1> first_leaf{};
  std::vector<std::uint8_t> leaves;  // byte values, the end-of-block code not among them
};

// The leaf counts. The deepest length's count is stored minus two: it
// always holds the end-of-block code and at least one byte. Returns whether
// the tree is complete, which GNU gzip requires, but only once it has read
// the leaves.
bool ReadLeafCounts(InputBuffer& input, Tree& tree) {
  tree.max_length = NextByte(input);
  if (tree.max_length < 1 || tree.max_length > kMaxCodeLength) throw StreamFault(Fault::PackBitLength);
  std::uint64_t free_codes = 2;  // codes of the current length not yet used
  unsigned stored_total = 0;
  for (unsigned length = 1; length <= tree.max_length; ++length) {
    const unsigned stored = NextByte(input);
    const bool deepest = length == tree.max_length;
    const std::uint64_t count = deepest ? stored + 2u : stored;
    // A shorter length must leave at least one code to grow the tree from.
    if (count > free_codes - (deepest ? 0 : 1)) throw StreamFault(Fault::PackTooManyLeaves);
    tree.count[length] = static_cast<std::uint32_t>(count);
    stored_total += stored;
    free_codes = (free_codes - count) * 2;
  }
  if (stored_total >= kMaxLeaves) throw StreamFault(Fault::PackTooManyLeaves);
  return free_codes == 0;
}

Tree ReadTree(InputBuffer& input) {
  Tree tree;
  const bool complete = ReadLeafCounts(input, tree);
  for (unsigned length = 1; length <= tree.max_length; ++length) {
    tree.first_leaf[length] = static_cast<std::uint32_t>(tree.leaves.size());
    const std::uint32_t bytes = tree.count[length] - (length == tree.max_length ? 1 : 0);
    for (std::uint32_t i = 0; i < bytes; ++i) tree.leaves.push_back(NextByte(input));
  }
  if (!complete) throw StreamFault(Fault::PackTooFewLeaves);
  // Canonical codes, numbered from the deepest length up: its leaves take
  // the codes from 0, and each shorter length continues above the parents
  // of the codes below it.
  std::uint32_t next = 0;
  for (unsigned length = tree.max_length; length >= 1; --length) {
    tree.first_code[length] = next;
    next = (next + tree.count[length]) / 2;
  }
  return tree;
}

class BitReader {
 public:
  explicit BitReader(InputBuffer& input) : input_(input) {}

  // Makes sure `count` bits are at hand, reading whole bytes.
  void Need(unsigned count) {
    while (held_ < count) {
      bits_ = (bits_ << 8) | NextByte(input_);
      held_ += 8;
    }
  }
  // The bit `index` places after the next one, which must be at hand.
  unsigned Peek(unsigned index) const { return static_cast<unsigned>(bits_ >> (held_ - 1 - index)) & 1u; }
  void Drop(unsigned count) { held_ -= count; }

 private:
  InputBuffer& input_;
  std::uint64_t bits_ = 0;
  unsigned held_ = 0;
};

}  // namespace

std::uint64_t DecodePack(InputBuffer& input, ByteSink& output) {
  std::uint32_t original_length = 0;
  for (int i = 0; i < 4; ++i) original_length = (original_length << 8) | NextByte(input);
  const Tree tree = ReadTree(input);
  const std::uint32_t end_code = tree.count[tree.max_length] - 1;
  const unsigned look_ahead = std::min(tree.max_length, kLookAhead);

  BitReader bits(input);
  ChunkedOutput decoded(output);
  try {
    for (;;) {
      bits.Need(look_ahead);
      std::uint32_t code = 0;
      unsigned length = 0;
      do {
        bits.Need(length + 1);
        code = (code << 1) | bits.Peek(length);
        ++length;
      } while (code < tree.first_code[length]);
      bits.Drop(length);
      const std::uint32_t leaf = code - tree.first_code[length];
      if (length == tree.max_length && leaf == end_code) break;
      decoded.Put(tree.leaves[tree.first_leaf[length] + leaf]);
    }
  } catch (const StreamFault&) {
    decoded.Flush();
    throw;
  }
  decoded.Flush();
  if (static_cast<std::uint32_t>(decoded.Written()) != original_length) throw StreamFault(Fault::PackLengthError);
  return decoded.Written();
}

}  // namespace gz
