#pragma once
// How the converter paces its work. The defaults suit the window; tests make
// the chunks and the pump interval small to see every step.
#include <chrono>
#include <cstddef>

#include "module_converter.h"

namespace stavrel {

struct ConverterPacing {
  // About 260 KB a read: of the sizes timed (64 KB to 1 MB), the fastest
  // under Wine, where a 1 MB buffer costs more to map than to fill, and as
  // fast as any natively.
  std::size_t records_per_chunk = 10240;
  std::chrono::milliseconds pump_interval{15};
};

void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source,
                     const ConverterPacing& pacing,
                     ExistingDestination existing = ExistingDestination::Replace);

}  // namespace stavrel
