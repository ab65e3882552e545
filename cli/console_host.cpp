#include "console_host.h"

#include "stop_request.h"

namespace stavrel::cli {

bool ConsoleHost::ProcessPendingEvents() {
  progress_.Tick();
  return !StopRequested();
}

}  // namespace stavrel::cli
