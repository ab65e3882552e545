#pragma once
// Module conversion: writes a copy of a module whose every 26-byte variable
// record has its 32-bit address field shifted by the typed factor.
#include <string>

#include "platform.h"
#include "window_operations.h"

namespace stavrel {

// Reads the factor and the destination from the window; reports the count,
// the progress and every failure there. An empty source does nothing.
void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source);

// Empties the factor, count, source and destination boxes; progress to 0.
void ClearBoxes(WindowOperations& window);

}  // namespace stavrel
