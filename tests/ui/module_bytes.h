#pragma once
// Modules to convert: 26-byte variable records with a signed 32-bit
// little-endian address at byte 21, and what converting them must give.
#include <cstdint>
#include <vector>

#include "bytes.h"

namespace stavrel::ui {

// A module of records holding these addresses, every other byte distinct
// enough to show a shifted or lost byte, followed by `tail` loose bytes.
Bytes MakeModule(const std::vector<std::int32_t>& addresses, std::size_t tail);

// The same module with `factor` added to every address; the tail stays.
Bytes Converted(const Bytes& module, std::int32_t factor);

}  // namespace stavrel::ui
