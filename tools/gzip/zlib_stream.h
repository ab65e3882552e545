#pragma once
// Owners of zlib's raw deflate and inflate states: the gzip wrapper around
// them is this program's own (member_writer, member_reader).
#include <zlib.h>

namespace gz {

class DeflateStream {
 public:
  explicit DeflateStream(int level);
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  z_stream* Get() { return &stream_; }

 private:
  z_stream stream_{};
};

class InflateStream {
 public:
  InflateStream();
  ~InflateStream();
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  z_stream* Get() { return &stream_; }
  // Ready for the next member's compressed data.
  void Reset();

 private:
  z_stream stream_{};
};

}  // namespace gz
