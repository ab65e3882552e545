#pragma once
// One converter run as the fuzzer describes it: how the run is paced, what
// the user does, which write fails, the typed factor and the module's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stavrel::fuzz {

struct ConverterScenario {
  std::size_t records_per_chunk = 1;  // 1..64
  bool pump_every_chunk = false;      // otherwise the window is never pumped
  bool destination_exists = false;    // the destination holds an older file
  bool leftover_temporary = false;    // a temporary file of an earlier run is there
  int close_at_pump = 0;              // the user closes the window at that pump; 0: never
  int fail_write_number = 0;          // that write fails; 0: none does
  std::wstring factor_text;
  std::vector<std::byte> module;
};

// Bytes 0-2 set the run up; the factor text follows up to the first line
// feed, and the module is everything after it.
std::optional<ConverterScenario> ReadScenario(const std::uint8_t* data, std::size_t size);

}  // namespace stavrel::fuzz
