#pragma once
// Module conversion: writes a copy of a module whose every 26-byte variable
// record has its 32-bit address field shifted by the typed factor.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "host.h"
#include "platform.h"

namespace stavrel {

struct ConvertRequest {
  std::wstring source;
  std::wstring destination;
  std::wstring factor_text;  // as typed: read as the window always has
  bool replace = false;      // an existing destination may be replaced
  // Read the factor as a script writes it (ReadWholeFactor): a text the
  // number does not take whole is refused rather than read as its start.
  bool whole_factor = false;
};

// Everything a conversion will do, worked out before a file is touched.
struct ConvertPlan {
  std::wstring source;
  std::wstring destination;
  // Written first, renamed to `destination` when complete. A file that
  // appears under this name before the run makes it pick the next free one.
  std::wstring temporary;
  std::int32_t factor = 0;
  bool replace = false;
  bool replaces_a_file = false;  // the destination exists and will be replaced
};

struct ConvertResult {
  std::uint64_t variables = 0;
  // False when the module has fewer than four variables: it was copied unshifted.
  bool converted = false;
  std::wstring final_name;
};

// Checks the request; throws CommandFailure with the refusal (a factor not
// read whole when it must be, one out of range, no destination, the module itself as destination, a
// file in the way). Looks at the file system but changes nothing.
ConvertPlan PlanConvert(const ConvertRequest& request, Platform& platform);

// The variables in the plan's source as it is now, by its length: what a run
// would count. Throws CommandFailure, in the words of a run, when the source
// cannot be opened.
std::uint64_t CountVariables(const ConvertPlan& plan, Platform& platform);

// How the converter paces its work. The defaults suit the window; tests make
// the chunks and the pump interval small to see every step.
struct ConverterPacing {
  // About 260 KB a read: of the sizes timed (64 KB to 1 MB), the fastest
  // under Wine, where a 1 MB buffer costs more to map than to fill, and as
  // fast as any natively.
  std::size_t records_per_chunk = 10240;
  std::chrono::milliseconds pump_interval{15};
};

// Carries out a plan; throws CommandFailure when it fails (having removed
// what it wrote) and CommandStopped when the host asked to stop.
ConvertResult RunConvert(const ConvertPlan& plan, Host& host, Platform& platform,
                         const ConverterPacing& pacing = {});

}  // namespace stavrel
