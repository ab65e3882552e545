#include "gzip_bytes.h"

#include <zlib.h>

#include <stdexcept>

namespace stavrel::test {
namespace {

constexpr int kGzipWindowBits = 15 + 16;

}  // namespace

Bytes Gzip(const Bytes& data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("zlib cannot compress");
  Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())) + 64);
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) throw std::runtime_error("zlib did not finish compressing");
  return out;
}

std::optional<Bytes> TryGunzip(const Bytes& data) {
  z_stream stream{};
  if (inflateInit2(&stream, kGzipWindowBits) != Z_OK) throw std::runtime_error("zlib cannot decompress");
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  Bytes out;
  int status = Z_OK;
  while (status == Z_OK) {
    std::uint8_t chunk[16384];
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    status = inflate(&stream, Z_NO_FLUSH);
    out.insert(out.end(), chunk, chunk + (sizeof chunk - stream.avail_out));
    if (status == Z_BUF_ERROR && stream.avail_in == 0) break;
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  if (!whole) return std::nullopt;
  return out;
}

Bytes Gunzip(const Bytes& data) {
  auto out = TryGunzip(data);
  if (!out) throw std::runtime_error("not one whole gzip member");
  return *std::move(out);
}

}  // namespace stavrel::test
