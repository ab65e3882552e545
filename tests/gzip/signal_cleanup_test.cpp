// The real gzip interrupted at random moments (SIGINT, SIGTERM, some of
// them while it is stopped) never leaves its temporary output behind, and
// its input is always either intact or replaced by a complete output.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "gzip_bytes.h"
#include "test_files.h"

namespace stavrel::test {
namespace {

// Compressible like a save state: records with a little noise.
Bytes StateLikeData(std::size_t size) {
  std::mt19937 noise(1994);
  Bytes data;
  data.reserve(size);
  for (std::uint32_t record = 0; data.size() < size; ++record) {
    for (int i = 0; i < 16; ++i) data.push_back(static_cast<std::uint8_t>(noise()));
    for (int i = 0; i < 48; ++i) data.push_back(static_cast<std::uint8_t>((record + i * 7) & 0xff));
    data.insert(data.end(), 64, 0);
  }
  data.resize(size);
  return data;
}

pid_t StartGzip(bool decompress, const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    if (decompress) {
      execl(STAVREL_GZIP, "gzip", "-d", path.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(STAVREL_GZIP, "gzip", path.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  return child;
}

void SleepMicroseconds(long microseconds) {
  const struct timespec pause {microseconds / 1000000, (microseconds % 1000000) * 1000};
  nanosleep(&pause, nullptr);
}

struct Tally {
  int runs = 0;
  int interrupted = 0;  // ended by the signal
  int finished = 0;     // done before the signal came
  int leftovers = 0;    // temporary outputs left behind (must stay 0)
};

class SignalCleanupTest : public ::testing::Test {
 protected:
  // One run: `input_name` holds `input`; a signal `delay` microseconds after
  // the start. Checks what is left and counts it.
  void RunOnce(bool decompress, const std::wstring& input_name, const Bytes& input, int signal_number,
               bool stop_first, long delay) {
    TempFolder folder(L"gzip signal");
    WriteBytes(folder / input_name, input);
    const std::wstring output_name = decompress ? L"state.sds" : L"state.sds.gz";
    const pid_t child = StartGzip(decompress, NativePath(folder / input_name).string());
    ASSERT_GT(child, 0);
    SleepMicroseconds(delay);
    if (stop_first) {
      kill(child, SIGSTOP);
      SleepMicroseconds(200);
      kill(child, signal_number);
      kill(child, SIGCONT);
    } else {
      kill(child, signal_number);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    ++tally_.runs;
    const bool killed = WIFSIGNALED(status);
    if (killed) {
      EXPECT_EQ(WTERMSIG(status), signal_number);
      ++tally_.interrupted;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
      ++tally_.finished;
    }
    for (const std::wstring& name : folder.Names()) {
      if (name.starts_with(L".gzip-")) ++tally_.leftovers;
      EXPECT_TRUE(name == input_name || name == output_name) << NativePath(name);
    }
    if (Exists(folder / input_name)) {
      EXPECT_EQ(ReadBytes(folder / input_name), input);
    } else {
      // The input goes only once its output is complete.
      ASSERT_TRUE(Exists(folder / output_name));
      const Bytes output = ReadBytes(folder / output_name);
      EXPECT_EQ(decompress ? output : Gunzip(output), data_);
    }
  }

  // How long an undisturbed run takes, in microseconds.
  long RunTime(bool decompress, const std::wstring& input_name, const Bytes& input) {
    TempFolder folder(L"gzip signal");
    WriteBytes(folder / input_name, input);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = StartGzip(decompress, NativePath(folder / input_name).string());
    int status = 0;
    waitpid(child, &status, 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
  }

  const Bytes data_ = StateLikeData(2 << 20);
  Tally tally_;
};

TEST_F(SignalCleanupTest, NoTemporarySurvivesASignalAndTheInputStaysWhole) {
  const char* runs_text = std::getenv("GZIP_SIGNAL_RUNS");
  const int runs = runs_text ? std::atoi(runs_text) : 300;
  const Bytes compressed = Gzip(data_);
  const long compress_time = RunTime(false, L"state.sds", data_);
  const long decompress_time = RunTime(true, L"state.sds.gz", compressed);
  std::mt19937 random(static_cast<unsigned>(std::random_device{}()));

  for (int i = 0; i < runs && !HasFatalFailure(); ++i) {
    const bool decompress = i % 2 == 1;
    const long whole = decompress ? decompress_time : compress_time;
    // Half the signals land in the first 3 ms, where the temporary output
    // is created; the others anywhere in the run.
    const long span = (i / 2) % 2 == 0 ? 3000 : whole;
    const long delay = std::uniform_int_distribution<long>(0, span)(random);
    const int signal_number = i % 3 == 0 ? SIGTERM : SIGINT;
    const bool stop_first = i % 5 == 0;
    RunOnce(decompress, decompress ? L"state.sds.gz" : L"state.sds", decompress ? compressed : data_, signal_number,
            stop_first, delay);
  }
  std::cout << "runs " << tally_.runs << ", interrupted " << tally_.interrupted << ", finished first "
            << tally_.finished << ", temporaries left " << tally_.leftovers << " (compress " << compress_time
            << " us, decompress " << decompress_time << " us undisturbed)\n";
  EXPECT_EQ(tally_.leftovers, 0);
}

}  // namespace
}  // namespace stavrel::test
