#pragma once
// The module shift written out plainly, record by record with 64-bit sums,
// apart from core/module_converter.cpp so that the two can be compared.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace stavrel::fuzz {

inline constexpr std::size_t kReferenceRecordSize = 26;

struct ReferenceShift {
  std::vector<std::byte> bytes;  // the module with every whole record shifted
  std::size_t records = 0;
  // The first record (counted from 0) whose address plus the factor leaves
  // the 32-bit range, with that address.
  std::optional<std::size_t> overflow_record;
  std::int32_t overflow_address = 0;
};

ReferenceShift ShiftModule(const std::vector<std::byte>& module, std::int32_t factor);

}  // namespace stavrel::fuzz
