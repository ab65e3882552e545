#pragma once
// The two ends every gzip job runs between: where bytes come from and where
// they go. Files, standard streams and in-memory buffers all look like this.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace gz {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills the front of `buffer`; returns how many bytes, 0 only at the end.
  // Throws ReadError.
  virtual std::size_t ReadSome(std::span<std::uint8_t> buffer) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all of `bytes` or throws WriteError.
  virtual void WriteAll(std::span<const std::uint8_t> bytes) = 0;
};

// A failure of the system to read or write; what() is the system's reason
// ("No space left on device"), the caller adds whose file it was.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Standard output's reader has gone (a pipe closed at the other end). GNU
// gzip is then ended quietly by SIGPIPE; where the system has no such
// signal, gzip ends as quietly with the status a shell reports for it.
struct OutputClosed {};
inline constexpr int kOutputClosedStatus = 128 + 13;

// Accepts and forgets everything: where -t sends what it decompresses.
class DiscardSink final : public ByteSink {
 public:
  void WriteAll(std::span<const std::uint8_t>) override {}
};

}  // namespace gz
