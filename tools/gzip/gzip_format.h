#pragma once
// Field values of the gzip member layout (RFC 1952) this program reads and
// writes.
#include <cstdint>

namespace gz::format {

inline constexpr std::uint8_t kMagic0 = 0x1f;
inline constexpr std::uint8_t kMagic1 = 0x8b;
// Written by gzip 0.5 and still accepted by GNU gzip.
inline constexpr std::uint8_t kOldMagic1 = 0x9e;
inline constexpr std::uint8_t kMethodDeflate = 8;

inline constexpr std::uint8_t kFlagHeaderCrc = 0x02;
inline constexpr std::uint8_t kFlagExtra = 0x04;
inline constexpr std::uint8_t kFlagName = 0x08;
inline constexpr std::uint8_t kFlagComment = 0x10;
inline constexpr std::uint8_t kFlagEncrypted = 0x20;
inline constexpr std::uint8_t kFlagsReserved = 0xc0;

// XFL as GNU gzip sets it: only the two extreme levels are marked.
inline constexpr std::uint8_t kExtraSlowest = 2;
inline constexpr std::uint8_t kExtraFastest = 4;
// OS: GNU gzip writes 3 (Unix) on every system it runs on; so does this
// program, on Windows too, so both produce the same headers.
inline constexpr std::uint8_t kOsUnix = 3;

inline constexpr std::size_t kTrailerSize = 8;

}  // namespace gz::format
