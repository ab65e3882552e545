// Times the module converter against a plain copy of the same module, side by
// side, and prints the ratio for 10k, 100k and 1M variables.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "form_commands.h"

namespace {

using namespace stavrel;
using namespace stavrel::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <typename F>
double BestOf(int runs, F&& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, Seconds(Clock::now() - start));
  }
  return best;
}

}  // namespace

int main() {
  NativePlatform platform;
  const fs::path folder = fs::temp_directory_path() / "stavrel-bench";
  fs::create_directories(folder);
  const std::wstring source = ProgramPath(folder / "in.mdl");
  const std::wstring copy = ProgramPath(folder / "copy.mdl");
  QuietWindow window;
  window.boxes[Box::Factor] = L"&H100";
  window.boxes[Box::File2] = ProgramPath(folder / "out.mdl");

  std::printf("%-12s %12s %12s %8s\n", "variables", "copy (ms)", "convert (ms)", "ratio");
  for (std::size_t variables : {10'000u, 100'000u, 1'000'000u}) {
    {
      std::vector<char> bytes(variables * 26);
      for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 + (i >> 7));
      std::ofstream(folder / "in.mdl", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const int runs = variables >= 1'000'000 ? 7 : 15;
    // Interleaved, so both see the same state of the disk cache.
    double copy_time = 1e9, convert_time = 1e9;
    for (int i = 0; i < runs; ++i) {
      copy_time = std::min(copy_time, BestOf(1, [&] {
        fs::remove(folder / "copy.mdl");
        platform.CopyFile(source, copy, false);
      }));
      // Both write a new file: replacing an existing one adds a flush to the
      // disk, which the copy does not do.
      convert_time = std::min(convert_time, BestOf(1, [&] {
        fs::remove(folder / "out.mdl");
        ConvertToSnes9x(window, platform, source);
      }));
    }
    if (window.failed) {
      std::fprintf(stderr, "the conversion failed\n");
      return 1;
    }
    std::printf("%-12zu %12.2f %12.2f %8.2f\n", variables, copy_time * 1000, convert_time * 1000,
                convert_time / copy_time);
  }
  fs::remove_all(folder);
  return 0;
}
