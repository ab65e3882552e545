#include "module_bytes.h"

namespace stavrel::ui {
namespace {

constexpr std::size_t kRecordSize = 26;
constexpr std::size_t kAddressAt = 21;

void PutAddress(Bytes& bytes, std::size_t at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetAddress(const Bytes& bytes, std::size_t at) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= std::uint32_t{bytes[at + i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

}  // namespace

Bytes MakeModule(const std::vector<std::int32_t>& addresses, std::size_t tail) {
  Bytes module(addresses.size() * kRecordSize + tail);
  for (std::size_t i = 0; i < module.size(); ++i) module[i] = static_cast<std::uint8_t>(i * 7 + 3);
  for (std::size_t record = 0; record < addresses.size(); ++record)
    PutAddress(module, record * kRecordSize + kAddressAt, addresses[record]);
  return module;
}

Bytes Converted(const Bytes& module, std::int32_t factor) {
  Bytes converted = module;
  for (std::size_t at = 0; at + kRecordSize <= converted.size(); at += kRecordSize) {
    const auto sum = static_cast<std::uint32_t>(GetAddress(converted, at + kAddressAt)) + static_cast<std::uint32_t>(factor);
    PutAddress(converted, at + kAddressAt, static_cast<std::int32_t>(sum));
  }
  return converted;
}

}  // namespace stavrel::ui
