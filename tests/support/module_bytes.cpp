#include "module_bytes.h"

namespace stavrel::test {
namespace {

constexpr std::size_t kRecordSize = 26;
constexpr std::size_t kAddressAt = 21;

void PutAddress(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetAddress(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes[at + i]} << (8 * i);
  return value;
}

}  // namespace

Bytes MakeModule(std::size_t records, const std::vector<std::int32_t>& addresses,
                 std::size_t tail) {
  Bytes module(records * kRecordSize + tail);
  for (std::size_t i = 0; i < module.size(); ++i) module[i] = static_cast<std::uint8_t>(i * 7 + 3);
  for (std::size_t record = 0; record < records; ++record) {
    const auto address = static_cast<std::uint32_t>(addresses[record % addresses.size()]);
    PutAddress(module, record * kRecordSize + kAddressAt, address);
  }
  return module;
}

Bytes Converted(Bytes module, std::int32_t factor) {
  for (std::size_t at = 0; at + kRecordSize <= module.size(); at += kRecordSize) {
    const std::uint32_t sum = GetAddress(module, at + kAddressAt) + static_cast<std::uint32_t>(factor);
    PutAddress(module, at + kAddressAt, sum);
  }
  return module;
}

Bytes StateData() {
  Bytes data(300000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>((i % 251) ^ (i >> 9));
  return data;
}

}  // namespace stavrel::test
