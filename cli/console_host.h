#pragma once
// The console as the core's host: reports are collected for the file at
// hand, the progress goes to the progress line, and a stop request (Ctrl+C)
// ends the work at its next step.
#include <string>
#include <vector>

#include "host.h"
#include "progress_bar.h"

namespace stavrel::cli {

class ConsoleHost final : public Host, public MessageSink {
 public:
  explicit ConsoleHost(ProgressBar& progress) : progress_(progress) {}

  // A fresh start for one file.
  void StartFile() { reports_.clear(); }
  const std::vector<CommandReport>& Reports() const { return reports_; }

  void SetProgressMax(double max) override { progress_.SetFileMax(max); }
  void SetProgressValue(double value) override { progress_.SetFileValue(value); }
  void ShowVariableCount(std::uint64_t) override {}
  MessageSink& Messages() override { return *this; }
  void Show(const CommandReport& report) override { reports_.push_back(report); }
  bool ProcessPendingEvents() override;
  void SetBackgroundWork(const std::wstring& file) override {
    progress_.SetBackgroundWork(!file.empty());
  }
  void ShowBytesWritten(std::uint64_t bytes) override { progress_.SetBytesWritten(bytes); }
  // Nothing else can start while a command runs here.
  void SetCommandsEnabled(bool) override {}

 private:
  ProgressBar& progress_;
  std::vector<CommandReport> reports_;
};

}  // namespace stavrel::cli
