#pragma once
// gzip data made and read with zlib, to check gzip.exe's work against.
#include <cstdint>
#include <optional>
#include <vector>

namespace stavrel::test {

using Bytes = std::vector<std::uint8_t>;

Bytes Gzip(const Bytes& data);
// Throws unless `data` is one whole gzip member.
Bytes Gunzip(const Bytes& data);
// The data of `data` if it is one whole gzip member, otherwise nothing.
std::optional<Bytes> TryGunzip(const Bytes& data);

}  // namespace stavrel::test
