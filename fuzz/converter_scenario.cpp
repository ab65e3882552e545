#include "converter_scenario.h"

namespace stavrel::fuzz {

std::optional<ConverterScenario> ReadScenario(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return std::nullopt;
  ConverterScenario s;
  s.records_per_chunk = 1 + data[0] % 64;
  s.pump_every_chunk = data[1] & 1;
  s.destination_exists = data[1] & 2;
  s.leftover_temporary = data[1] & 4;
  s.close_at_pump = data[1] >> 4;
  s.fail_write_number = data[2] % 16;
  std::size_t i = 3;
  for (; i < size && data[i] != '\n'; ++i) s.factor_text += static_cast<wchar_t>(data[i]);
  if (i < size) ++i;
  for (; i < size; ++i) s.module.push_back(static_cast<std::byte>(data[i]));
  return s;
}

}  // namespace stavrel::fuzz
