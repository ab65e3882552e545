// Times a full state cycle: decompress a 1 MB state to ".sds" and compress it
// back to ".000", with the gzip that sits in the program folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "bench_support.h"
#include "form_commands.h"

namespace {

using namespace stavrel;
using namespace stavrel::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

}  // namespace

// argv[1]: the program folder holding gzip(.exe).
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: state_cycle_bench <folder with gzip.exe>\n");
    return 2;
  }
  std::wstring program_folder = ProgramPath(fs::absolute(argv[1]));
  NativePlatform platform(program_folder);
  const fs::path folder = fs::temp_directory_path() / "stavrel-cycle-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);

  // A state-like megabyte: runs of structure with noise, made a gzip file by
  // the first cycle's compression.
  std::vector<char> raw(1 << 20);
  std::mt19937 random(7);
  for (std::size_t i = 0; i < raw.size(); ++i)
    raw[i] = static_cast<char>((i % 64 < 40) ? (i / 64) & 0xFF : random() & 0xFF);
  std::ofstream(folder / "game.sds", std::ios::binary).write(raw.data(), static_cast<std::streamsize>(raw.size()));
  QuietWindow window;
  Compress(window, platform, ProgramPath(folder / "game.sds"));

  const int cycles = 10;
  double best = 1e9, total = 0;
  for (int i = 0; i < cycles && !window.failed; ++i) {
    const auto start = Clock::now();
    window.boxes[Box::FName] = L"game.000";
    Decompress(window, platform, ProgramPath(folder / "game.000"));
    Compress(window, platform, ProgramPath(folder / "game.sds"));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::min(best, seconds);
    total += seconds;
  }
  fs::remove_all(folder);
  if (window.failed) return 1;
  std::printf("state cycle of 1 MB: best %.3f s, mean %.3f s over %d cycles (fixed waits: 5.000 s)\n",
              best, total / cycles, cycles);
  return 0;
}
