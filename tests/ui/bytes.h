#pragma once
#include <cstdint>
#include <vector>

namespace stavrel::ui {

using Bytes = std::vector<std::uint8_t>;

}  // namespace stavrel::ui
