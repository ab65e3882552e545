#pragma once
// A progress line on stderr: the whole batch as a bar, the current file as a
// percentage, or while gzip works, how long it has worked and how much it has
// written. Drawn only on a terminal, and only once the work has lasted half a
// second, so quick runs and redirected output never see it.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace stavrel::cli {

class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void StartFile(std::size_t index, std::size_t total, const std::wstring& name);
  void SetFileMax(double max);
  void SetFileValue(double value);
  // Whether gzip works on the current file, and what it has written so far.
  void SetBackgroundWork(bool working);
  void SetBytesWritten(std::uint64_t bytes);
  // Redraws when it is time to.
  void Tick();
  // Removes the line, before other text is written or at the end.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  void Draw();

  bool enabled_;
  Clock::time_point started_ = Clock::now();
  Clock::time_point last_drawn_{};
  bool shown_ = false;
  std::size_t index_ = 0;
  std::size_t total_ = 1;
  std::wstring name_;
  double file_max_ = 0;
  double file_value_ = 0;
  bool background_ = false;
  Clock::time_point background_started_{};
  std::uint64_t bytes_written_ = 0;
};

}  // namespace stavrel::cli
