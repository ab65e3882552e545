#include "zlib_stream.h"

#include <new>
#include <stdexcept>
#include <string>

namespace gz {
namespace {

// Negative window bits: raw deflate data, no zlib or gzip wrapper.
constexpr int kRawWindowBits = -MAX_WBITS;
constexpr int kMemoryLevel = 8;

void CheckInit(int result, const char* what) {
  if (result == Z_OK) return;
  if (result == Z_MEM_ERROR) throw std::bad_alloc();
  throw std::runtime_error(std::string(what) + " failed: zlib error " + std::to_string(result));
}

}  // namespace

DeflateStream::DeflateStream(int level) {
  CheckInit(deflateInit2(&stream_, level, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY),
            "deflateInit2");
}

DeflateStream::~DeflateStream() { deflateEnd(&stream_); }

InflateStream::InflateStream() { CheckInit(inflateInit2(&stream_, kRawWindowBits), "inflateInit2"); }

InflateStream::~InflateStream() { inflateEnd(&stream_); }

void InflateStream::Reset() { CheckInit(inflateReset(&stream_), "inflateReset"); }

}  // namespace gz
