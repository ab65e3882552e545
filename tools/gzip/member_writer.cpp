#include "member_writer.h"

#include <vector>

#include "gzip_format.h"
#include "zlib_stream.h"

namespace gz {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> HeaderBytes(const MemberFields& fields) {
  std::vector<std::uint8_t> header{format::kMagic0, format::kMagic1, format::kMethodDeflate,
                                   fields.name ? format::kFlagName : std::uint8_t{0}};
  PutU32(header, fields.mtime);
  header.push_back(fields.level == 9   ? format::kExtraSlowest
                   : fields.level == 1 ? format::kExtraFastest
                                       : std::uint8_t{0});
  header.push_back(format::kOsUnix);
  if (fields.name) {
    header.insert(header.end(), fields.name->begin(), fields.name->end());
    header.push_back(0);
  }
  return header;
}

}  // namespace

CompressTotals CompressMember(ByteSource& input, ByteSink& output, const MemberFields& fields) {
  CompressTotals totals;
  const std::vector<std::uint8_t> header = HeaderBytes(fields);
  output.WriteAll(header);
  totals.bytes_out = header.size();
  totals.header_bytes = header.size() + format::kTrailerSize;

  DeflateStream deflater(fields.level);
  z_stream* z = deflater.Get();
  std::vector<std::uint8_t> in(kChunk);
  std::vector<std::uint8_t> out(kChunk);
  uLong crc = crc32(0, nullptr, 0);

  int flush = Z_NO_FLUSH;
  do {
    const std::size_t got = input.ReadSome(in);
    if (got == 0) flush = Z_FINISH;
    crc = crc32_z(crc, in.data(), got);
    totals.bytes_in += got;
    z->next_in = in.data();
    z->avail_in = static_cast<uInt>(got);
    do {
      z->next_out = out.data();
      z->avail_out = static_cast<uInt>(out.size());
      // With input and output space always given, deflate cannot fail.
      deflate(z, flush);
      const std::size_t produced = out.size() - z->avail_out;
      output.WriteAll(std::span(out).first(produced));
      totals.bytes_out += produced;
    } while (z->avail_out == 0);
  } while (flush != Z_FINISH);

  std::vector<std::uint8_t> trailer;
  PutU32(trailer, static_cast<std::uint32_t>(crc));
  PutU32(trailer, static_cast<std::uint32_t>(totals.bytes_in));
  output.WriteAll(trailer);
  totals.bytes_out += trailer.size();
  return totals;
}

}  // namespace gz
