#pragma once
// Waiting for something the program does in its own time: a window that
// appears, a box that fills. The timeouts are generous on purpose; a test
// that waits its full time has already failed.
#include <chrono>
#include <functional>

namespace stavrel::ui {

inline constexpr std::chrono::milliseconds kPatience{30000};

// Polls `done` until it holds or `patience` has passed; says which.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = kPatience);

}  // namespace stavrel::ui
