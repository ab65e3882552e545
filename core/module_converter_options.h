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

ConvertResult RunConvert(const ConvertPlan& plan, Host& host, Platform& platform,
                         const ConverterPacing& pacing);

}  // namespace stavrel
