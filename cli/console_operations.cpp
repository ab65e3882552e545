#include "console_operations.h"

#include "stop_request.h"

namespace stavrel::cli {

void ConsoleOperations::StartFile(const std::map<Box, std::wstring>& boxes) {
  boxes_ = boxes;
  reports_.clear();
  progress_max_ = 0;
  stopped_ = false;
}

std::wstring ConsoleOperations::BoxText(Box box) {
  const auto found = boxes_.find(box);
  return found == boxes_.end() ? std::wstring() : found->second;
}

void ConsoleOperations::SetBoxText(Box box, const std::wstring& text) { boxes_[box] = text; }

void ConsoleOperations::SetProgressMax(double max) {
  progress_max_ = max;
  progress_.SetFileMax(max);
}

void ConsoleOperations::SetProgressValue(double value) { progress_.SetFileValue(value); }

bool ConsoleOperations::ProcessPendingEvents() {
  progress_.Tick();
  if (StopRequested()) stopped_ = true;
  return !stopped_;
}

}  // namespace stavrel::cli
