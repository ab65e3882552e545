#pragma once
// What gzip -l prints on standard output: a heading before the first
// entry, one line per listed input, and the totals when more than one
// operand was named, in GNU gzip 1.12's columns.
#include <cstdint>
#include <optional>
#include <string>

#include "byte_stream.h"

namespace gz {

struct ListEntry {
  std::string method = "defla";      // five characters, as GNU gzip names methods
  std::optional<std::uint32_t> crc;  // none: GNU gzip shows 16 f's
  std::int64_t time = 0;             // seconds since 1970, shown in local time
  std::uint64_t compressed = 0;
  std::uint64_t uncompressed = 0;
  // Header and trailer sizes the ratio leaves out (0 for several members).
  std::uint64_t header_bytes = 0;
  std::string name;
};

class Listing {
 public:
  // `verbose`: with the method, CRC and date columns; `quiet`: neither
  // heading nor totals.
  Listing(ByteSink& output, bool verbose, bool quiet) : output_(output), verbose_(verbose), quiet_(quiet) {}

  // Throws WriteError.
  void Add(const ListEntry& entry);
  // An input that turned out not to be gzip data at all: nothing listed.
  void Unreadable() { last_header_bytes_ = 0; }
  // An input found damaged after its first header: GNU gzip then adds up
  // what it listed so far, -q or not. `header_bytes`: what the damaged
  // input's ratio would leave out. Throws WriteError.
  void Damaged(std::uint64_t header_bytes);
  // The totals line at the end, when there is something to add up. Throws
  // WriteError.
  void Finish();

 private:
  void Write(const std::string& text);
  std::string TotalsLine(bool with_sizes) const;

  ByteSink& output_;
  bool verbose_;
  bool quiet_;
  bool heading_written_ = false;
  std::uint64_t total_compressed_ = 0;
  std::uint64_t total_uncompressed_ = 0;
  // GNU gzip's totals ratio leaves out the last entry's header bytes.
  std::uint64_t last_header_bytes_ = 0;
};

// "Dec  7 15:55" in local time, or GNU gzip's question marks when the
// system cannot show that time.
std::string ListDate(std::int64_t seconds);

}  // namespace gz
