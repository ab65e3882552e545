#include "zlib_reference.h"

#include <zlib.h>

namespace stavrel::fuzz {

std::optional<ZlibMember> ZlibFirstMember(std::span<const std::uint8_t> input) {
  constexpr int kGzipWindowBits = 15 + 16;  // gzip wrapper only, no zlib header
  z_stream z{};
  if (inflateInit2(&z, kGzipWindowBits) != Z_OK) return std::nullopt;
  z.next_in = const_cast<Bytef*>(input.data());
  z.avail_in = static_cast<uInt>(input.size());
  ZlibMember member;
  int result = Z_OK;
  std::uint8_t out[16384];
  do {
    z.next_out = out;
    z.avail_out = sizeof out;
    result = inflate(&z, Z_NO_FLUSH);
    member.data.insert(member.data.end(), out, out + (sizeof out - z.avail_out));
  } while (result == Z_OK);
  member.bytes_used = input.size() - z.avail_in;
  inflateEnd(&z);
  if (result != Z_STREAM_END) return std::nullopt;
  return member;
}

}  // namespace stavrel::fuzz
