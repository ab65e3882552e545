#pragma once
// A progress line on stderr: the whole batch as a bar, the current file as a
// percentage. Drawn only on a terminal, and only once the work has lasted
// half a second, so quick runs and redirected output never see it.
#include <chrono>
#include <cstddef>
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
};

}  // namespace stavrel::cli
