#include "progress_bar.h"

#include <algorithm>
#include <cstdio>

#include "console_text.h"
#include "escaped_text.h"

namespace stavrel::cli {
namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr std::size_t kBarWidth = 24;
constexpr std::size_t kNameWidth = 32;
// Wide enough to cover the longest line drawn.
constexpr std::size_t kLineWidth = kBarWidth + kNameWidth + 44;

std::wstring ShortName(const std::wstring& name) {
  if (name.size() <= kNameWidth) return name;
  return L"..." + name.substr(name.size() - (kNameWidth - 3));
}

// "0.4 MB", "12.0 MB": one figure after the point, whatever the size.
std::wstring Megabytes(std::uint64_t bytes) {
  const auto tenths = static_cast<std::uint64_t>(static_cast<double>(bytes) / 104857.6);
  return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L" MB";
}

// "gzip: 3 s, 1.5 MB written": how long gzip has worked, and what it has
// written so far (left out while that is nothing or not known).
std::wstring BackgroundWords(std::chrono::steady_clock::duration worked, std::uint64_t written) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(worked).count();
  std::wstring words = L"gzip: " + std::to_wstring(seconds) + L" s";
  if (written > 0) words += L", " + Megabytes(written) + L" written";
  return words;
}

}  // namespace

ProgressBar::ProgressBar(bool enabled) : enabled_(enabled) {}

ProgressBar::~ProgressBar() { Clear(); }

void ProgressBar::StartFile(std::size_t index, std::size_t total, const std::wstring& name) {
  index_ = index;
  total_ = std::max<std::size_t>(total, 1);
  name_ = ShortName(Escaped(name));
  file_max_ = 0;
  file_value_ = 0;
  Tick();
}

void ProgressBar::SetFileMax(double max) { file_max_ = max; }

void ProgressBar::SetFileValue(double value) { file_value_ = value; }

void ProgressBar::SetBackgroundWork(bool working) {
  background_ = working;
  background_started_ = Clock::now();
  bytes_written_ = 0;
}

void ProgressBar::SetBytesWritten(std::uint64_t bytes) { bytes_written_ = bytes; }

void ProgressBar::Tick() {
  if (!enabled_) return;
  const auto now = Clock::now();
  if (now - started_ < kQuietStart || now - last_drawn_ < kRedrawEvery) return;
  last_drawn_ = now;
  Draw();
}

void ProgressBar::Draw() {
  const double file_part = file_max_ > 0 ? std::clamp(file_value_ / file_max_, 0.0, 1.0) : 0.0;
  const double overall = (static_cast<double>(index_) + file_part) / static_cast<double>(total_);
  const auto filled = static_cast<std::size_t>(overall * kBarWidth);
  std::wstring line = L"\r[" + std::wstring(filled, L'#') + std::wstring(kBarWidth - filled, L'.') +
                      L"] " + std::to_wstring(static_cast<int>(overall * 100)) + L"% " +
                      std::to_wstring(index_ + 1) + L"/" + std::to_wstring(total_) + L" " + name_;
  if (file_max_ > 0) line += L" " + std::to_wstring(static_cast<int>(file_part * 100)) + L"%";
  if (background_)
    line += L" " + BackgroundWords(Clock::now() - background_started_, bytes_written_);
  line.resize(std::max(line.size(), kLineWidth), L' ');
  WriteText(stderr, line);
  std::fflush(stderr);
  shown_ = true;
}

void ProgressBar::Clear() {
  if (!shown_) return;
  WriteText(stderr, L"\r" + std::wstring(kLineWidth, L' ') + L"\r");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace stavrel::cli
