#include "module_reference.h"

namespace stavrel::fuzz {

ReferenceShift ShiftModule(const std::vector<std::byte>& module, std::int32_t factor) {
  constexpr std::size_t kAddress = 21;
  ReferenceShift shift{module, module.size() / kReferenceRecordSize, std::nullopt, 0};
  for (std::size_t r = 0; r < shift.records; ++r) {
    std::byte* p = shift.bytes.data() + r * kReferenceRecordSize + kAddress;
    std::uint32_t bits = 0;
    for (int b = 3; b >= 0; --b) bits = bits << 8 | std::to_integer<std::uint32_t>(p[b]);
    const std::int64_t address = static_cast<std::int32_t>(bits);
    const std::int64_t sum = address + factor;
    if ((sum < INT32_MIN || sum > INT32_MAX) && !shift.overflow_record) {
      shift.overflow_record = r;
      shift.overflow_address = static_cast<std::int32_t>(address);
    }
    for (int b = 0; b < 4; ++b) p[b] = static_cast<std::byte>(static_cast<std::uint64_t>(sum) >> (8 * b));
  }
  return shift;
}

}  // namespace stavrel::fuzz
