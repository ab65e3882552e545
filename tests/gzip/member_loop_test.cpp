// The member reader and writer on in-memory data: round trips, the header
// GNU gzip writes, and every way a stream can end badly.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "member_reader.h"
#include "member_writer.h"
#include "gzip_memory_streams.h"

namespace gz {
namespace {

using testing::Bytes;
using testing::BytesOf;
using testing::MemorySink;
using testing::MemorySource;
using testing::operator+;

Bytes TextBytes(std::size_t lines) {
  std::string text;
  for (std::size_t i = 0; i < lines; ++i) text += std::to_string(i) + " lorem ipsum dolor\n";
  return BytesOf(text);
}

Bytes RandomBytes(std::size_t size) {
  std::mt19937 generator(42);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
  return bytes;
}

Bytes compressed(const Bytes& data, MemberFields fields = {}) {
  MemorySource source(data);
  MemorySink sink;
  CompressMember(source, sink, fields);
  return sink.data;
}

struct Decoded {
  Bytes data;
  MemberHeader header;
  DecompressTotals totals;
};

Decoded decompressed(const Bytes& stream, std::size_t piece = SIZE_MAX, bool copy_other_data = false) {
  MemorySource source(stream, piece);
  MemberReader reader(source, copy_other_data);
  Decoded decoded;
  decoded.header = reader.ReadFirstHeader();
  MemorySink sink;
  decoded.totals = reader.Decompress(sink);
  decoded.data = sink.data;
  return decoded;
}

Fault FaultOf(const Bytes& stream, std::size_t piece = SIZE_MAX) {
  try {
    decompressed(stream, piece);
  } catch (const StreamFault& fault) {
    return fault.Kind();
  }
  ADD_FAILURE() << "no fault";
  return Fault::NotGzip;
}

// A member whose raw bytes a test may edit: header as GNU gzip -n writes it.
Bytes MemberWith(std::uint8_t flags, const Bytes& fields, const Bytes& data = BytesOf("hello\n")) {
  Bytes member{0x1f, 0x8b, 8, flags, 0, 0, 0, 0, 0, 3};
  member = member + fields;
  const Bytes body = compressed(data);
  // The writer's member minus its own 10-byte header is deflate data and
  // trailer, which fit behind any header.
  member.insert(member.end(), body.begin() + 10, body.end());
  return member;
}

struct RoundTrip {
  const char* name;
  Bytes data;
  int level;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, ReadsBackWhatItWrote) {
  const RoundTrip& trip = GetParam();
  const Bytes stream = compressed(trip.data, {"state.sds", 1600000000, trip.level});
  const Decoded decoded = decompressed(stream);
  EXPECT_EQ(decoded.data, trip.data);
  EXPECT_EQ(decoded.header.name, "state.sds");
  EXPECT_EQ(decoded.header.mtime, 1600000000u);
  EXPECT_EQ(decoded.totals.ending, Ending::EndOfInput);
  EXPECT_EQ(decoded.totals.bytes_in, stream.size());
  EXPECT_EQ(decoded.totals.header_bytes, 10u + 10u + 8u);
}

TEST_P(RoundTripTest, ReadsInOneBytePieces) {
  const RoundTrip& trip = GetParam();
  const Bytes stream = compressed(trip.data, {std::nullopt, 0, trip.level});
  EXPECT_EQ(decompressed(stream, 1).data, trip.data);
}

TEST_P(RoundTripTest, ZlibAgreesOnEveryByte) {
  const RoundTrip& trip = GetParam();
  const Bytes stream = compressed(trip.data, {"x", 7, trip.level});
  Bytes out(trip.data.size() + 1);
  z_stream z{};
  ASSERT_EQ(inflateInit2(&z, 16 + MAX_WBITS), Z_OK);
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  inflateEnd(&z);
  EXPECT_EQ(out, trip.data);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RoundTripTest,
                         ::testing::Values(RoundTrip{"empty", {}, 6}, RoundTrip{"short", BytesOf("hello\n"), 6},
                                           RoundTrip{"text_fast", TextBytes(20000), 1},
                                           RoundTrip{"text_best", TextBytes(20000), 9},
                                           RoundTrip{"random", RandomBytes(700000), 6},
                                           RoundTrip{"zeros", Bytes(1 << 20, 0), 6}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HeaderCase {
  const char* name;  // nullptr: no FNAME
  std::uint32_t mtime;
  int level;
  Bytes expected;
};

class HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

// The header bytes GNU gzip writes for the same file and options.
TEST_P(HeaderTest, MatchesGnuGzip) {
  const HeaderCase& header = GetParam();
  MemberFields fields;
  if (header.name) fields.name = header.name;
  fields.mtime = header.mtime;
  fields.level = header.level;
  const Bytes stream = compressed(BytesOf("x"), fields);
  ASSERT_GE(stream.size(), header.expected.size());
  EXPECT_EQ(Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(header.expected.size())),
            header.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, HeaderTest,
    ::testing::Values(HeaderCase{"a", 0x5e0d5da5, 6, {0x1f, 0x8b, 8, 8, 0xa5, 0x5d, 0x0d, 0x5e, 0, 3, 'a', 0}},
                      HeaderCase{"a", 0x5e0d5da5, 9, {0x1f, 0x8b, 8, 8, 0xa5, 0x5d, 0x0d, 0x5e, 2, 3, 'a', 0}},
                      HeaderCase{"a", 0x5e0d5da5, 1, {0x1f, 0x8b, 8, 8, 0xa5, 0x5d, 0x0d, 0x5e, 4, 3, 'a', 0}},
                      HeaderCase{nullptr, 0, 2, {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3}}));

TEST(MemberLoop, ReadsEveryMember) {
  const Bytes a = TextBytes(100), b = RandomBytes(5000), c;
  const Decoded decoded = decompressed(compressed(a, {"a", 5, 6}) + compressed(b, {"b", 9, 1}) + compressed(c));
  EXPECT_EQ(decoded.data, a + b + c);
  EXPECT_EQ(decoded.header.name, "a");
  EXPECT_EQ(decoded.totals.mtime, 9u) << "the last nonzero MTIME";
  EXPECT_EQ(decoded.totals.header_bytes, 0u) << "GNU gzip counts the header only for single members";
  EXPECT_EQ(decoded.totals.ratio_bytes_out, 0u) << "GNU gzip counts only the last member's output";
}

struct Ended {
  const char* name;
  Bytes tail;
  Ending ending;
};

class TrailingDataTest : public ::testing::TestWithParam<Ended> {};

TEST_P(TrailingDataTest, EndsAsGnuGzipDoes) {
  const Bytes data = TextBytes(10);
  const Decoded decoded = decompressed(compressed(data) + GetParam().tail);
  EXPECT_EQ(decoded.data, data);
  EXPECT_EQ(decoded.totals.ending, GetParam().ending);
}

INSTANTIATE_TEST_SUITE_P(Tails, TrailingDataTest,
                         ::testing::Values(Ended{"nothing", {}, Ending::EndOfInput},
                                           Ended{"one_zero", {0}, Ending::TrailingZeros},
                                           Ended{"many_zeros", Bytes(100000, 0), Ending::TrailingZeros},
                                           Ended{"text", BytesOf("garbage\n"), Ending::TrailingGarbage},
                                           Ended{"zeros_then_text", {0, 0, 'x'}, Ending::TrailingGarbage},
                                           Ended{"zero_then_magic", {0, 0x1f, 0x8b}, Ending::TrailingGarbage}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Broken {
  const char* name;
  Bytes stream;
  Fault fault;
};

class BrokenStreamTest : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenStreamTest, IsRefusedWithGnuGzipsReason) {
  EXPECT_EQ(FaultOf(GetParam().stream), GetParam().fault);
  EXPECT_EQ(FaultOf(GetParam().stream, 1), GetParam().fault) << "read in one-byte pieces";
}

// `stream` with the lowest bit flipped in the byte `from_end` bytes before
// its end (the trailer: CRC at 8, length at 4).
Bytes flipped(Bytes stream, std::size_t from_end) {
  stream[stream.size() - from_end] ^= 0x01;
  return stream;
}

Bytes WithByte(Bytes stream, std::size_t index, std::uint8_t value) {
  stream[index] = value;
  return stream;
}

const Bytes kGood = compressed(TextBytes(50), {"n", 1, 6});
// BFINAL set, block type 3: a type deflate does not have.
const Bytes kBadBlockType = WithByte(MemberWith(0, {}), 10, 0x07);
// A dynamic block whose code-length code has no codes, cut after it: GNU's
// hufts test.
const Bytes kEmptyCodeLengthCode{0x1f, 0x8b, 8, 0, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x64, 0, 0, 0};

// "banana" as pack writes it (GNU's unpack-valid test): length 6, codes of
// up to 3 bits, one leaf at 1 and 2 bits, 'b' and end-of-block at 3.
const Bytes kPackedBanana{0x1f, 0x1e, 0, 0, 0, 6, 3, 1, 1, 0, 'a', 'n', 'b', 0x16, 0xc8};
Bytes PackedBananaWith(std::size_t index, std::uint8_t value) { return WithByte(kPackedBanana, index, value); }
// LZW, 16 bits, block mode: 'a', then the code being defined (257), then 258.
const Bytes kLzwRepeats{0x1f, 0x9d, 0x90, 0x61, 0x02, 0x0a, 0x04};
// 'a' 'b' 257, a clear and the rest of its 9-byte group, then 'c' 'd' and
// 258: after a clear the next string is 257 again.
const Bytes kLzwClear{0x1f, 0x9d, 0x90, 0x61, 0xc4, 0x04, 0x04, 0x08, 0, 0, 0, 0, 0x63, 0xc8, 0x08, 0x04};

INSTANTIATE_TEST_SUITE_P(
    Streams, BrokenStreamTest,
    ::testing::Values(
        Broken{"empty", {}, Fault::UnexpectedEnd}, Broken{"one_zero_byte", {0}, Fault::NotGzip},
        Broken{"one_magic_byte", {0x1f}, Fault::UnexpectedEnd},
        Broken{"text", BytesOf("hello world\n"), Fault::NotGzip},
        Broken{"zip_file", BytesOf("PK\3\4 rest"), Fault::NotGzip},
        Broken{"crc", flipped(kGood, 8), Fault::CrcError}, Broken{"length", flipped(kGood, 4), Fault::LengthError},
        Broken{"crc_and_length", flipped(flipped(kGood, 8), 4), Fault::CrcAndLengthError},
        Broken{"deflate_block_type", kBadBlockType, Fault::FormatViolated},
        Broken{"method", {0x1f, 0x8b, 7, 0, 0, 0, 0, 0, 0, 3}, Fault::UnknownMethod},
        Broken{"encrypted", {0x1f, 0x8b, 8, 0x20, 0, 0, 0, 0, 0, 3}, Fault::Encrypted},
        Broken{"reserved_flag", {0x1f, 0x8b, 8, 0x80, 0, 0, 0, 0, 0, 3}, Fault::ReservedFlags},
        Broken{"header_crc", MemberWith(0x02, {0x34, 0x12}), Fault::HeaderChecksum},
        Broken{"second_member_method", kGood + Bytes{0x1f, 0x8b, 9, 0, 0, 0, 0, 0, 0, 3}, Fault::UnknownMethod},
        Broken{"trailing_single_byte", kGood + BytesOf("x"), Fault::UnexpectedEnd},
        Broken{"trailing_magic", kGood + Bytes{0x1f, 0x8b}, Fault::UnexpectedEnd},
        Broken{"deflate_empty_code_length_code", kEmptyCodeLengthCode, Fault::FormatViolated},
        Broken{"lzw_magic_only", {0x1f, 0x9d}, Fault::UnexpectedEnd},
        Broken{"lzw_17_bits", {0x1f, 0x9d, 0x91, 0x61, 0}, Fault::LzwBitsTooMany},
        Broken{"lzw_after_member_17_bits", kGood + Bytes{0x1f, 0x9d, 0x91}, Fault::LzwBitsTooMany},
        Broken{"lzw_first_code_not_a_byte", {0x1f, 0x9d, 0x90, 0xff, 0x01}, Fault::LzwBadFirstCode},
        Broken{"lzw_code_beyond_table", {0x1f, 0x9d, 0x90, 0x61, 0xc4, 0xb0, 0x04}, Fault::LzwCorrupt},
        Broken{"pack_no_code_lengths", PackedBananaWith(6, 0), Fault::PackBitLength},
        Broken{"pack_26_bit_codes", PackedBananaWith(6, 26), Fault::PackBitLength},
        Broken{"pack_overfull_tree", PackedBananaWith(7, 3), Fault::PackTooManyLeaves},
        Broken{"pack_incomplete_tree", {0x1f, 0x1e, 0, 0, 0, 1, 2, 0, 0, 'a', 0x10}, Fault::PackTooFewLeaves},
        Broken{"pack_length_too_long", PackedBananaWith(5, 7), Fault::PackLengthError},
        Broken{"pack_length_too_short", PackedBananaWith(5, 5), Fault::PackLengthError},
        Broken{"pack_cut_in_codes", Bytes(kPackedBanana.begin(), kPackedBanana.end() - 1), Fault::UnexpectedEnd},
        Broken{"pack_cut_in_leaves", Bytes(kPackedBanana.begin(), kPackedBanana.begin() + 12), Fault::UnexpectedEnd},
        Broken{"pack_after_member_cut", kGood + Bytes{0x1f, 0x1e, 0}, Fault::UnexpectedEnd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemberLoop, EveryTruncationIsAnUnexpectedEnd) {
  const Bytes stream = compressed(TextBytes(300), {"name", 1, 6});
  for (std::size_t length = 0; length < stream.size(); ++length) {
    EXPECT_EQ(FaultOf(Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length))),
              Fault::UnexpectedEnd)
        << "cut after " << length << " bytes";
  }
}

TEST(MemberLoop, CutStreamStillYieldsWhatWasThere) {
  const Bytes data = TextBytes(20000);
  const Bytes stream = compressed(data);
  MemorySource source(Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2)));
  MemberReader reader(source, false);
  MemorySink sink;
  EXPECT_THROW(reader.Decompress(sink), StreamFault);
  ASSERT_GT(sink.data.size(), data.size() / 4);
  EXPECT_TRUE(std::equal(sink.data.begin(), sink.data.end(), data.begin()));
}

TEST(MemberLoop, ReadsOptionalHeaderFields) {
  Bytes fields{4, 0, 'a', 'b', 0, 0};                      // FEXTRA, 4 bytes
  fields = fields + BytesOf(std::string("orig.txt", 9));  // FNAME
  fields = fields + BytesOf(std::string("note", 5));      // FCOMMENT
  Bytes member = MemberWith(0x1e, fields);
  // FHCRC: the low half of the CRC-32 of everything before it.
  const std::size_t HeaderSize = 10 + fields.size();
  const uLong crc = crc32(0, member.data(), static_cast<uInt>(HeaderSize));
  member.insert(member.begin() + static_cast<std::ptrdiff_t>(HeaderSize),
                {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8)});
  const Decoded decoded = decompressed(member);
  EXPECT_EQ(decoded.data, BytesOf("hello\n"));
  EXPECT_EQ(decoded.header.name, "orig.txt");
  EXPECT_EQ(decoded.header.extra_length, 4u);
}

TEST(MemberLoop, OldMagicIsGzipToo) {
  EXPECT_EQ(decompressed(WithByte(kGood, 1, 0x9e)).data, TextBytes(50));
}

TEST(MemberLoop, CopiesOtherDataWhenAsked) {
  const Bytes plain = BytesOf("not compressed\n");
  EXPECT_EQ(decompressed(plain, SIZE_MAX, true).data, plain);
  EXPECT_EQ(decompressed(Bytes{0x1f}, SIZE_MAX, true).data, Bytes{0x1f});
  EXPECT_EQ(decompressed({}, SIZE_MAX, true).data, Bytes{});
  EXPECT_EQ(decompressed(kGood + plain, 1, true).data, TextBytes(50) + plain);
}

struct OldFormat {
  const char* name;
  Bytes stream;
  Bytes data;
};

class OldFormatTest : public ::testing::TestWithParam<OldFormat> {};

TEST_P(OldFormatTest, DecodesAsGnuGzipDoes) {
  for (const std::size_t piece : {SIZE_MAX, std::size_t{1}}) {
    const Decoded decoded = decompressed(GetParam().stream, piece);
    EXPECT_EQ(decoded.data, GetParam().data) << "pieces of " << piece;
    EXPECT_EQ(decoded.totals.ending, Ending::EndOfInput);
    EXPECT_EQ(decoded.totals.header_bytes, 0u) << "GNU gzip counts a header only for a lone gzip member";
    EXPECT_FALSE(decoded.header.name);
  }
  EXPECT_EQ(decompressed(GetParam().stream, SIZE_MAX, true).data, GetParam().data) << "-dcf decodes them too";
}

INSTANTIATE_TEST_SUITE_P(
    Streams, OldFormatTest,
    ::testing::Values(OldFormat{"pack", kPackedBanana, BytesOf("banana")},
                      OldFormat{"pack_twice", kPackedBanana + kPackedBanana, BytesOf("bananabanana")},
                      OldFormat{"pack_then_gzip", kPackedBanana + compressed(BytesOf("x")), BytesOf("bananax")},
                      OldFormat{"gzip_then_pack", compressed(BytesOf("x")) + kPackedBanana, BytesOf("xbanana")},
                      OldFormat{"lzw_header_only", {0x1f, 0x9d, 0x90}, {}},
                      OldFormat{"lzw_code_being_defined", kLzwRepeats, BytesOf("aaaaaa")},
                      OldFormat{"lzw_clear", kLzwClear, BytesOf("ababcddd")},
                      OldFormat{"lzw_cut_code_ignored", Bytes(kLzwRepeats.begin(), kLzwRepeats.end() - 1),
                                BytesOf("aaa")},
                      OldFormat{"gzip_then_lzw", compressed(BytesOf("x")) + kLzwRepeats, BytesOf("xaaaaaa")},
                      OldFormat{"pack_then_lzw", kPackedBanana + kLzwRepeats, BytesOf("bananaaaaaaa")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemberLoop, PackedMemberEndsLikeAGzipMember) {
  EXPECT_EQ(decompressed(kPackedBanana + BytesOf("junk")).totals.ending, Ending::TrailingGarbage);
  EXPECT_EQ(decompressed(kPackedBanana + Bytes{0, 0}).totals.ending, Ending::TrailingZeros);
}

TEST(MemberLoop, WarnsAboutReservedLzwFlagsAndDecodes) {
  MemorySource source(WithByte(kLzwRepeats, 2, 0xf0));
  MemberReader reader(source, false);
  std::vector<unsigned> warned;
  reader.SetWarningHandler([&](const StreamWarning& w) { warned.push_back(w.value); });
  MemorySink sink;
  reader.Decompress(sink);
  EXPECT_EQ(sink.data, BytesOf("aaaaaa"));
  EXPECT_EQ(warned, std::vector<unsigned>{0x60});
}

TEST(MemberLoop, PassesOnReadAndWriteFailures) {
  const Bytes stream = compressed(RandomBytes(100000));
  MemorySource FailingSource(stream, SIZE_MAX, 1000);
  MemberReader reader(FailingSource, false);
  MemorySink sink;
  EXPECT_THROW(reader.Decompress(sink), ReadError);

  MemorySource source(stream);
  MemberReader second(source, false);
  MemorySink FullSink(5000);
  EXPECT_THROW(second.Decompress(FullSink), WriteError);

  MemorySource plain(RandomBytes(100000));
  MemorySink small(100);
  EXPECT_THROW(CompressMember(plain, small, {}), WriteError);
}

}  // namespace
}  // namespace gz
