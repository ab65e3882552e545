#include "old_formats_reference.h"

#include <map>
#include <utility>

namespace stavrel::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The input's bits; LZW reads each byte from its lowest bit, pack from its
// highest.
std::vector<int> BitsOf(std::span<const std::uint8_t> bytes, bool lowest_first) {
  std::vector<int> bits;
  for (std::uint8_t byte : bytes)
    for (int i = 0; i < 8; ++i) bits.push_back((byte >> (lowest_first ? i : 7 - i)) & 1);
  return bits;
}

}  // namespace

ReferenceResult ReferenceLzw(std::span<const std::uint8_t> data) {
  ReferenceResult result;
  if (data.empty()) {
    result.fault = gz::Fault::UnexpectedEnd;
    return result;
  }
  const unsigned max_bits = data[0] & 0x1f;
  const bool block_mode = (data[0] & 0x80) != 0;
  if (max_bits > 16) {
    result.fault = gz::Fault::LzwBitsTooMany;
    return result;
  }
  const std::vector<int> bits = BitsOf(data.subspan(1), true);
  // Strings by code. A code never defined reads as compress's untouched
  // table reads it, two zero bytes; only data whose table cannot grow
  // (fewer than 10 bits) ever reaches one.
  std::map<unsigned, Bytes> table;
  for (unsigned c = 0; c < 256; ++c) table[c] = Bytes{static_cast<std::uint8_t>(c)};
  const Bytes undefined{0, 0};
  auto StringOf = [&](unsigned code) -> const Bytes& {
    const auto found = table.find(code);
    return found == table.end() ? undefined : found->second;
  };
  // The next code to define; 256 is the clear code in block mode.
  unsigned next = block_mode ? 257 : 256;
  const std::size_t table_limit = std::size_t{1} << max_bits;

  unsigned width = 9;
  std::size_t position = 0;
  std::size_t group_start = 0;  // where the current run of same-width codes began
  // compress writes codes in groups of eight; a new width or a clear starts
  // a new group after the end of the current one.
  auto new_group = [&] {
    const std::size_t group_bits = width * 8;
    const std::size_t used = position - group_start;
    position = group_start + (used + group_bits - 1) / group_bits * group_bits;
    group_start = position;
  };
  auto read_code = [&](unsigned& code) {
    if (position + width > bits.size()) return false;
    code = 0;
    for (unsigned i = 0; i < width; ++i) code |= static_cast<unsigned>(bits[position + i]) << i;
    position += width;
    return true;
  };

  // The widest code before the width grows. It starts (and starts again
  // after a clear) at 511 even when 9 is the largest width, as compress has
  // it, so 9-bit data goes on with 10-bit codes once its table is full.
  std::size_t largest = 511;
  std::optional<unsigned> previous;
  Bytes last_output;
  for (;;) {
    if (next > largest) {
      new_group();
      ++width;
      largest = width == max_bits ? table_limit : (std::size_t{1} << width) - 1;
    }
    unsigned code = 0;
    if (!read_code(code)) break;
    if (!previous) {
      if (code >= 256) {
        result.fault = gz::Fault::LzwBadFirstCode;
        return result;
      }
      previous = code;
      last_output = table[code];
      result.output.push_back(static_cast<std::uint8_t>(code));
      continue;
    }
    if (block_mode && code == 256) {
      new_group();
      width = 9;
      largest = 511;
      next = 256;
      std::erase_if(table, [](const auto& entry) { return entry.first >= 256; });
      continue;
    }
    Bytes entry;
    if (code < next) {
      entry = StringOf(code);
    } else if (code == next) {
      entry = StringOf(*previous);
      entry.push_back(last_output[0]);
    } else {
      result.fault = gz::Fault::LzwCorrupt;
      return result;
    }
    result.output.insert(result.output.end(), entry.begin(), entry.end());
    if (next < table_limit) {
      Bytes added = StringOf(*previous);
      added.push_back(entry[0]);
      table[next++] = std::move(added);
    }
    previous = code;
    last_output = std::move(entry);
  }
  return result;
}

ReferenceResult ReferencePack(std::span<const std::uint8_t> data) {
  ReferenceResult result;
  std::size_t at = 0;
  auto fail = [&](gz::Fault fault) {
    result.fault = fault;
    return result;
  };
  if (data.size() < 5) return fail(gz::Fault::UnexpectedEnd);
  const std::uint32_t length = (std::uint32_t{data[0]} << 24) | (data[1] << 16) | (data[2] << 8) | data[3];
  const unsigned max_length = data[4];
  at = 5;
  if (max_length < 1 || max_length > 25) return fail(gz::Fault::PackBitLength);
  std::vector<unsigned> count(max_length + 1);
  long long free_codes = 2;
  unsigned stored_total = 0;
  for (unsigned l = 1; l <= max_length; ++l) {
    if (at == data.size()) return fail(gz::Fault::UnexpectedEnd);
    const unsigned stored = data[at++];
    count[l] = l == max_length ? stored + 2 : stored;
    const long long room = l == max_length ? free_codes : free_codes - 1;
    if (count[l] > room) return fail(gz::Fault::PackTooManyLeaves);
    stored_total += stored;
    free_codes = (free_codes - count[l]) * 2;
  }
  if (stored_total > 255) return fail(gz::Fault::PackTooManyLeaves);

  // Leaves by length; -1 stands for the end-of-block code.
  std::vector<std::vector<int>> leaves(max_length + 1);
  for (unsigned l = 1; l <= max_length; ++l) {
    const unsigned bytes = l == max_length ? count[l] - 1 : count[l];
    for (unsigned i = 0; i < bytes; ++i) {
      if (at == data.size()) return fail(gz::Fault::UnexpectedEnd);
      leaves[l].push_back(data[at++]);
    }
  }
  // An incomplete tree is refused only after its leaves were read.
  if (free_codes != 0) return fail(gz::Fault::PackTooFewLeaves);
  leaves[max_length].push_back(-1);
  std::map<std::pair<unsigned, std::uint32_t>, int> codes;
  std::uint32_t first = 0;
  for (unsigned l = max_length; l >= 1; --l) {
    for (std::size_t i = 0; i < leaves[l].size(); ++i) codes[{l, first + static_cast<std::uint32_t>(i)}] = leaves[l][i];
    first = (first + static_cast<std::uint32_t>(leaves[l].size())) / 2;
  }

  const std::vector<int> bits = BitsOf(data.subspan(at), false);
  const std::size_t look_ahead = std::min(max_length, 12u);
  std::size_t position = 0;
  for (;;) {
    if (position + look_ahead > bits.size()) return fail(gz::Fault::UnexpectedEnd);
    std::uint32_t code = 0;
    int leaf = 0;
    for (unsigned l = 1;; ++l) {
      if (position + l > bits.size()) return fail(gz::Fault::UnexpectedEnd);
      code = code * 2 + static_cast<std::uint32_t>(bits[position + l - 1]);
      const auto found = codes.find({l, code});
      if (found != codes.end()) {
        leaf = found->second;
        position += l;
        break;
      }
    }
    if (leaf < 0) break;
    result.output.push_back(static_cast<std::uint8_t>(leaf));
  }
  result.bytes_used = at + (position + 7) / 8;
  if (result.output.size() % (std::uint64_t{1} << 32) != length) return fail(gz::Fault::PackLengthError);
  return result;
}

}  // namespace stavrel::fuzz
