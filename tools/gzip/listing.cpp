#include "listing.h"

#include <cstdio>
#include <ctime>

#include "number_text.h"

namespace gz {
namespace {

// Wide enough for any 64-bit size, as GNU gzip pads its columns.
constexpr int kSizeWidth = 19;

std::string Sizes(std::uint64_t compressed, std::uint64_t uncompressed) {
  char text[64];
  std::snprintf(text, sizeof text, "%*llu %*llu ", kSizeWidth, static_cast<unsigned long long>(compressed), kSizeWidth,
                static_cast<unsigned long long>(uncompressed));
  return text;
}

}  // namespace

std::string ListDate(std::int64_t seconds) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const auto time = static_cast<std::time_t>(seconds);
  const std::tm* local = static_cast<std::int64_t>(time) == seconds ? std::localtime(&time) : nullptr;
  if (!local) return "??? ?? ??:??";
  char text[32];
  std::snprintf(text, sizeof text, "%s%3d %02d:%02d", kMonths[local->tm_mon], local->tm_mday, local->tm_hour,
                local->tm_min);
  return text;
}

void Listing::Write(const std::string& text) {
  output_.WriteAll(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void Listing::Add(const ListEntry& entry) {
  std::string text;
  if (!heading_written_ && !quiet_) {
    if (verbose_) text += "method  crc     date  time  ";
    char heading[64];
    std::snprintf(heading, sizeof heading, "%*s %*s", kSizeWidth, "compressed", kSizeWidth, "uncompressed");
    text += heading + std::string("  ratio uncompressed_name\n");
  }
  heading_written_ = true;
  if (verbose_) {
    char prefix[64];
    // Without a CRC GNU gzip prints its "unknown" value, all 64 bits set.
    const std::string crc = entry.crc ? HexText(*entry.crc, 8) : std::string(16, 'f');
    std::snprintf(prefix, sizeof prefix, "%-5.5s %s %s ", entry.method.c_str(), crc.c_str(),
                  ListDate(entry.time).c_str());
    text += prefix;
  }
  text += Sizes(entry.compressed, entry.uncompressed) +
          RatioText(entry.compressed, entry.uncompressed, entry.header_bytes) + " " + entry.name + "\n";
  Write(text);
  total_compressed_ += entry.compressed;
  total_uncompressed_ += entry.uncompressed;
  last_header_bytes_ = entry.header_bytes;
}

std::string Listing::TotalsLine(bool with_sizes) const {
  std::string text = verbose_ ? std::string(28, ' ') : std::string();
  if (with_sizes) text += Sizes(total_compressed_, total_uncompressed_);
  return text + RatioText(total_compressed_, total_uncompressed_, last_header_bytes_) + " (totals)\n";
}

void Listing::Damaged(std::uint64_t header_bytes) {
  last_header_bytes_ = header_bytes;
  if (total_compressed_ == 0 || total_uncompressed_ == 0) return;
  Write(TotalsLine(!quiet_));
}

void Listing::Finish() {
  if (quiet_ || total_compressed_ == 0 || total_uncompressed_ == 0) return;
  Write(TotalsLine(true));
}

}  // namespace gz
