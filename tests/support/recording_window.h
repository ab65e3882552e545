#pragma once
// A window that records what its commands do to it, for tests without a
// screen. It can also act out a user closing the window mid-run.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "form_commands.h"
#include "report_words.h"

namespace stavrel::test {

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  MessageIcon icon;
};

class RecordingWindow : public FormView, public MessageSink {
 public:
  std::map<Box, std::wstring> boxes;
  double progress_max = 100;
  std::vector<double> progress_values;
  std::vector<ShownMessage> messages;
  std::vector<CommandReport> reports;
  std::vector<bool> commands_enabled;  // every SetCommandsEnabled call
  int pumps = 0;
  int close_after_pumps = -1;          // ProcessPendingEvents says "closing" from then on
  std::function<void()> on_pump;       // what the "user" does while work runs
  std::vector<std::wstring> background_work;  // every SetBackgroundWork call
  // Texts of the boxes when each message was shown.
  std::vector<std::map<Box, std::wstring>> boxes_at_message;

  std::wstring BoxText(Box box) override { return boxes[box]; }
  void SetBoxText(Box box, const std::wstring& text) override { boxes[box] = text; }
  void SetProgressMax(double max) override { progress_max = max; }
  void SetProgressValue(double value) override { progress_values.push_back(value); }
  MessageSink& Messages() override { return *this; }
  void Show(const CommandReport& report) override {
    messages.push_back({MessageText(report), MessageTitle(report.severity), MessageIconOf(report.severity)});
    reports.push_back(report);
    boxes_at_message.push_back(boxes);
  }
  void SetBackgroundWork(const std::wstring& file) override { background_work.push_back(file); }
  void ShowBytesWritten(std::uint64_t) override {}
  bool ProcessPendingEvents() override {
    ++pumps;
    if (on_pump) on_pump();
    return close_after_pumps < 0 || pumps < close_after_pumps;
  }
  void SetCommandsEnabled(bool enabled) override { commands_enabled.push_back(enabled); }

  double ProgressValue() const { return progress_values.empty() ? 0 : progress_values.back(); }
  bool CommandsEnabled() const { return commands_enabled.empty() || commands_enabled.back(); }
};

}  // namespace stavrel::test
