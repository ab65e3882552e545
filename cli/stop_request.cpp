#include "stop_request.h"

#include <atomic>

namespace stavrel::cli {
namespace {

// Set from a signal handler or the console's handler thread.
std::atomic<bool> stop_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void RequestStop() noexcept { stop_requested = true; }

bool StopRequested() { return stop_requested; }

}  // namespace stavrel::cli
