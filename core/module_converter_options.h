#pragma once
// How the converter paces its work. The defaults suit the window; tests make
// the chunks and the pump interval small to see every step.
#include <chrono>
#include <cstddef>

#include "module_converter.h"

namespace stavrel {

struct ConverterPacing {
  std::size_t records_per_chunk = 40960;  // about 1 MB a read
  std::chrono::milliseconds pump_interval{15};
};

void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source,
                     const ConverterPacing& pacing);

}  // namespace stavrel
