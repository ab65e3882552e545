#pragma once
// What the timing programs share: a window nobody looks at, so that only the
// command's own work is timed, and paths in the program's own spelling.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "form_commands.h"
#include "platform/native_platform.h"
#include "report_words.h"

namespace stavrel::bench {

class QuietWindow : public FormView, public MessageSink {
 public:
  std::map<Box, std::wstring> boxes;
  bool failed = false;

  std::wstring BoxText(Box box) override { return boxes[box]; }
  void SetBoxText(Box, const std::wstring&) override {}
  void SetProgressMax(double) override {}
  void SetProgressValue(double) override {}
  MessageSink& Messages() override { return *this; }
  void Show(const CommandReport& report) override {
    std::fwprintf(stderr, L"%ls\n", MessageText(report).c_str());
    failed = true;
  }
  bool ProcessPendingEvents() override { return true; }
  void SetBackgroundWork(const std::wstring&) override {}
  void ShowBytesWritten(std::uint64_t) override {}
  void SetCommandsEnabled(bool) override {}
};

// Paths as the program writes them: with backslashes, on every system.
inline std::wstring ProgramPath(const std::filesystem::path& path) {
  std::wstring text = path.wstring();
#ifndef _WIN32
  std::replace(text.begin(), text.end(), L'/', L'\\');
#endif
  return text;
}

}  // namespace stavrel::bench
