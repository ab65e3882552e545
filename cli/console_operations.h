#pragma once
// The console as the core's front end: the boxes hold what the command line
// gave, reports are collected for the file at hand, the progress goes to the
// progress line, and a stop request (Ctrl+C) ends the work at its next step.
#include <map>
#include <string>
#include <vector>

#include "progress_bar.h"
#include "window_operations.h"

namespace stavrel::cli {

class ConsoleOperations final : public WindowOperations, public MessageSink {
 public:
  explicit ConsoleOperations(ProgressBar& progress) : progress_(progress) {}

  // A fresh start for one file: the boxes as a user would fill them.
  void StartFile(const std::map<Box, std::wstring>& boxes);
  const std::vector<CommandReport>& Reports() const { return reports_; }
  // True when the core was told to stop during this file: it then left the
  // file as it was.
  bool Stopped() const { return stopped_; }

  std::wstring BoxText(Box box) override;
  void SetBoxText(Box box, const std::wstring& text) override;
  void SetProgressMax(double max) override;
  double ProgressMax() override { return progress_max_; }
  void SetProgressValue(double value) override;
  MessageSink& Messages() override { return *this; }
  void Show(const CommandReport& report) override { reports_.push_back(report); }
  bool ProcessPendingEvents() override;
  void SetBackgroundWork(const std::wstring&) override {}
  // Nothing else can start while a command runs here.
  void SetCommandsEnabled(bool) override {}

 private:
  ProgressBar& progress_;
  std::map<Box, std::wstring> boxes_;
  std::vector<CommandReport> reports_;
  double progress_max_ = 0;
  bool stopped_ = false;
};

}  // namespace stavrel::cli
