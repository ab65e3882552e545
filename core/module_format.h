#pragma once
// A module is a run of 26-byte variable records, each holding a signed 32-bit
// little-endian address at byte 21; bytes after the last whole record are
// carried over untouched.
#include <cstddef>
#include <cstdint>

namespace stavrel::module_format {

inline constexpr std::size_t kRecordSize = 26;
inline constexpr std::size_t kAddressOffset = 21;
inline constexpr std::uint64_t kMinimumVariables = 4;
// The progress bar's maximum is the count plus this slack.
inline constexpr double kProgressSlack = 10;

inline std::int32_t ReadAddress(const std::byte* record) {
  const auto* p = reinterpret_cast<const unsigned char*>(record + kAddressOffset);
  const std::uint32_t bits = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                             std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(bits);
}

inline void WriteAddress(std::byte* record, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  auto* p = reinterpret_cast<unsigned char*>(record + kAddressOffset);
  p[0] = static_cast<unsigned char>(bits);
  p[1] = static_cast<unsigned char>(bits >> 8);
  p[2] = static_cast<unsigned char>(bits >> 16);
  p[3] = static_cast<unsigned char>(bits >> 24);
}

}  // namespace stavrel::module_format
