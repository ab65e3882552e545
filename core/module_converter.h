#pragma once
// Module conversion: writes a copy of a module whose every 26-byte variable
// record has its 32-bit address field shifted by the typed factor.
#include <string>

#include "platform.h"
#include "window_operations.h"

namespace stavrel {

// What becomes of a file found under the destination's name when the
// converted module is put in place.
enum class ExistingDestination {
  Replace,  // the user has agreed (the window's save dialog asks)
  Keep,     // the conversion fails instead, however late the file appeared
};

// Reads the factor and the destination from the window; reports the count,
// the progress and every failure there. An empty source does nothing.
void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source,
                     ExistingDestination existing = ExistingDestination::Replace);

// Empties the factor, count, source and destination boxes; progress to 0.
void ClearBoxes(WindowOperations& window);

}  // namespace stavrel
