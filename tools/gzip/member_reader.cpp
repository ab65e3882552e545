#include "member_reader.h"

#include <new>

#include "gzip_format.h"
#include "lzw_decoder.h"
#include "pack_decoder.h"

namespace gz {
namespace {

constexpr std::size_t kWindowSize = 256 * 1024;
constexpr std::uint8_t kLzwMagic1 = 0x9d;
constexpr std::uint8_t kPackMagic1 = 0x1e;

// Bits of a deflate block header, least significant first.
class HeaderBits {
 public:
  HeaderBits(std::span<const std::uint8_t> bytes, unsigned skip) : bytes_(bytes), position_(skip) {}
  std::optional<unsigned> Take(unsigned count) {
    if (position_ + count > bytes_.size() * 8) return std::nullopt;
    unsigned value = 0;
    for (unsigned i = 0; i < count; ++i, ++position_) value |= ((bytes_[position_ / 8] >> (position_ % 8)) & 1u) << i;
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
};

}  // namespace

MemberReader::MemberReader(ByteSource& input, bool copy_other_data)
    : input_(input), copy_other_data_(copy_other_data), window_(kWindowSize) {}

std::uint8_t MemberReader::HeaderByte() {
  const std::uint8_t byte = NextByte(input_);
  header_crc_ = crc32(header_crc_, &byte, 1);
  ++header_size_;
  return byte;
}

// Reads the two magic bytes the way GNU gzip does, which decides what a
// short input means: a lone non-zero byte is a truncated header, a lone zero
// byte is not gzip at all.
MemberReader::Next MemberReader::ReadMagic(bool first) {
  pending_.clear();
  header_crc_ = crc32(0, nullptr, 0);
  header_size_ = 0;
  const std::optional<std::uint8_t> b0 = input_.TryByte();
  if (!b0) {
    if (copy_other_data_) return Next::Other;
    throw StreamFault(Fault::UnexpectedEnd);
  }
  pending_.push_back(*b0);
  const std::optional<std::uint8_t> b1 = input_.TryByte();
  if (!b1) {
    if (*b0 != 0 && !copy_other_data_) throw StreamFault(Fault::UnexpectedEnd);
  } else {
    pending_.push_back(*b1);
  }
  if (b1 && *b0 == format::kMagic0 && (*b1 == format::kMagic1 || *b1 == format::kOldMagic1)) {
    header_crc_ = crc32(header_crc_, pending_.data(), 2);
    header_size_ = 2;
    return Next::Member;
  }
  // GNU gzip decodes these wherever a member may start, even with -f.
  if (b1 && *b0 == format::kMagic0 && *b1 == kLzwMagic1) return Next::Lzw;
  if (b1 && *b0 == format::kMagic0 && *b1 == kPackMagic1) return Next::Pack;
  if (copy_other_data_) return Next::Other;
  if (first) throw StreamFault(Fault::NotGzip);
  if (*b0 == 0) {
    std::optional<std::uint8_t> byte = b1;
    while (byte && *byte == 0) byte = input_.TryByte();
    if (!byte) return Next::Zeros;
  }
  return Next::Other;
}

void MemberReader::ReadHeaderFields() {
  current_ = MemberHeader{};
  const std::uint8_t method = HeaderByte();
  if (method != format::kMethodDeflate) throw StreamFault(Fault::UnknownMethod, method);
  const std::uint8_t flags = HeaderByte();
  if (flags & format::kFlagEncrypted) throw StreamFault(Fault::Encrypted, flags);
  if (flags & format::kFlagsReserved) throw StreamFault(Fault::ReservedFlags, flags);
  for (int shift = 0; shift < 32; shift += 8) current_.mtime |= std::uint32_t{HeaderByte()} << shift;
  HeaderByte();  // XFL
  HeaderByte();  // OS
  if (flags & format::kFlagExtra) {
    std::size_t length = HeaderByte();
    length |= std::size_t{HeaderByte()} << 8;
    current_.extra_length = length;
    for (std::size_t i = 0; i < length; ++i) HeaderByte();
  }
  if (flags & format::kFlagName) {
    std::string name;
    for (std::uint8_t c = HeaderByte(); c != 0; c = HeaderByte()) name.push_back(static_cast<char>(c));
    current_.name = std::move(name);
  }
  if (flags & format::kFlagComment) {
    while (HeaderByte() != 0) {
    }
  }
  if (flags & format::kFlagHeaderCrc) {
    const unsigned computed = header_crc_ & 0xffff;
    unsigned found = HeaderByte();
    found |= unsigned{HeaderByte()} << 8;
    if (found != computed) throw StreamFault(Fault::HeaderChecksum, found, computed);
  }
}

const MemberHeader& MemberReader::ReadFirstHeader() {
  first_kind_ = ReadMagic(true);
  if (*first_kind_ == Next::Member) {
    ReadHeaderFields();
    first_ = current_;
  }
  return first_;
}

void MemberReader::CopyRest(ByteSink& output) {
  output.WriteAll(pending_);
  bytes_out_ += pending_.size();
  ratio_bytes_out_ += pending_.size();
  pending_.clear();
  for (auto bytes = input_.Available(); !bytes.empty(); bytes = input_.Available()) {
    output.WriteAll(bytes);
    bytes_out_ += bytes.size();
    ratio_bytes_out_ += bytes.size();
    input_.Consume(bytes.size());
  }
}

// zlib accepts a code-length code with no codes at all and then waits for
// input it can never use; GNU gzip refuses such a block at once. Remembering
// where each block starts lets a cut stream tell the two apart.
void MemberReader::NoteBlockStart(const z_stream& z, std::uint8_t last_byte) {
  const unsigned unused = static_cast<unsigned>(z.data_type) & 63u;
  block_ = BlockStart{};
  if (unused > 8) {
    block_.known = false;
  } else if (unused != 0) {
    block_.bytes[0] = last_byte;
    block_.count = 1;
    block_.skip = 8 - unused;
  }
}

bool MemberReader::EmptyCodeLengthCode() const {
  if (!block_.known) return false;
  HeaderBits bits(std::span(block_.bytes).first(block_.count), block_.skip);
  constexpr unsigned kDynamicBlock = 2;
  const auto final_and_type = bits.Take(3);
  if (!final_and_type || (*final_and_type >> 1) != kDynamicBlock) return false;
  if (!bits.Take(5 + 5)) return false;  // literal/length and distance code counts
  const auto code_length_codes = bits.Take(4);
  if (!code_length_codes) return false;
  for (unsigned i = 0; i < *code_length_codes + 4; ++i) {
    const auto length = bits.Take(3);
    if (!length || *length != 0) return false;
  }
  return true;
}

void MemberReader::InflateMember(ByteSink& output) {
  inflater_.Reset();
  block_ = BlockStart{};
  z_stream* z = inflater_.Get();
  uLong crc = crc32(0, nullptr, 0);
  std::uint64_t length = 0;
  std::size_t filled = 0;
  std::uint8_t last_byte = 0;
  auto flush = [&] {
    crc = crc32_z(crc, window_.data(), filled);
    length += filled;
    output.WriteAll(std::span(window_).first(filled));
    filled = 0;
  };

  for (;;) {
    const std::span<const std::uint8_t> in = input_.Available();
    if (in.empty()) {
      // What was decoded before the input ran out still goes out, as with
      // GNU gzip: gzip -dc on a cut file yields the part that is there.
      flush();
      if (EmptyCodeLengthCode()) throw StreamFault(Fault::FormatViolated);
      throw StreamFault(Fault::UnexpectedEnd);
    }
    const std::size_t keep = std::min(in.size(), block_.bytes.size() - block_.count);
    std::copy_n(in.begin(), keep, block_.bytes.begin() + static_cast<std::ptrdiff_t>(block_.count));
    block_.count += keep;
    z->next_in = const_cast<Bytef*>(in.data());
    z->avail_in = static_cast<uInt>(in.size());
    z->next_out = window_.data() + filled;
    z->avail_out = static_cast<uInt>(window_.size() - filled);
    // Z_BLOCK: zlib stops at every block boundary, so that each block's
    // start is known.
    const int result = inflate(z, Z_BLOCK);
    const std::size_t used = in.size() - z->avail_in;
    input_.Consume(used);
    // Bytes kept beyond what zlib took are fed again from the buffer.
    if (used < keep) block_.count -= keep - used;
    if (used != 0) last_byte = in[used - 1];
    filled = window_.size() - z->avail_out;
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_STREAM_ERROR)
      throw StreamFault(Fault::FormatViolated);
    if (result == Z_STREAM_END) break;
    if (z->data_type & 128) NoteBlockStart(*z, last_byte);
    if (filled == window_.size()) flush();
  }
  flush();
  bytes_out_ += length;
  ratio_bytes_out_ = length;
  CheckTrailer(static_cast<std::uint32_t>(crc), length);
}

void MemberReader::CheckTrailer(std::uint32_t crc, std::uint64_t length) {
  std::uint32_t trailer[2] = {0, 0};
  for (int i = 0; i < 8; ++i) trailer[i / 4] |= std::uint32_t{NextByte(input_)} << (8 * (i % 4));
  const bool crc_ok = trailer[0] == crc;
  // The trailer keeps the length modulo 2^32.
  const bool length_ok = trailer[1] == static_cast<std::uint32_t>(length);
  last_crc_ = trailer[0];
  if (!crc_ok && !length_ok) throw StreamFault(Fault::CrcAndLengthError);
  if (!crc_ok) throw StreamFault(Fault::CrcError);
  if (!length_ok) throw StreamFault(Fault::LengthError);
}

void MemberReader::DecodeMember(Next kind, ByteSink& output) {
  std::uint64_t length = 0;
  switch (kind) {
    case Next::Member:
      last_method_ = Method::Deflate;
      InflateMember(output);
      return;
    case Next::Lzw: {
      last_method_ = Method::Lzw;
      last_crc_.reset();
      const std::span<const std::uint8_t> ahead = input_.Available();
      if (!ahead.empty() && (ahead[0] & kLzwReservedFlags) && warn_)
        warn_({Warning::LzwUnknownFlags, static_cast<unsigned>(ahead[0] & kLzwReservedFlags)});
      length = DecodeLzw(input_, output);
      break;
    }
    case Next::Pack:
      last_method_ = Method::Pack;
      last_crc_.reset();
      length = DecodePack(input_, output);
      break;
    case Next::Other:
    case Next::Zeros: return;
  }
  bytes_out_ += length;
  ratio_bytes_out_ = length;
}

DecompressTotals MemberReader::Decompress(ByteSink& output) {
  if (!first_kind_) ReadFirstHeader();
  DecompressTotals totals;
  if (*first_kind_ == Next::Other) {
    CopyRest(output);
  } else {
    // GNU gzip counts header and trailer only for a lone gzip member.
    if (*first_kind_ == Next::Member) totals.header_bytes = header_size_ + format::kTrailerSize;
    totals.mtime = first_.mtime;
    for (Next kind = *first_kind_;;) {
      DecodeMember(kind, output);
      if (input_.AtEnd()) break;
      totals.header_bytes = 0;
      past_first_member_ = true;
      kind = ReadMagic(false);
      if (kind == Next::Zeros) {
        totals.ending = Ending::TrailingZeros;
        break;
      }
      if (kind == Next::Other) {
        if (copy_other_data_) {
          CopyRest(output);
        } else {
          totals.ending = Ending::TrailingGarbage;
        }
        break;
      }
      if (kind != Next::Member) continue;
      ReadHeaderFields();
      if (current_.mtime != 0) totals.mtime = current_.mtime;
    }
  }
  totals.bytes_in = input_.BytesRead();
  totals.bytes_out = bytes_out_;
  totals.ratio_bytes_out = ratio_bytes_out_;
  totals.method = last_method_;
  totals.crc = last_crc_;
  return totals;
}

}  // namespace gz
