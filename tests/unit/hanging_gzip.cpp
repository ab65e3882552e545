// Stands in for a gzip.exe that hangs: it leaves its process id in
// "hang.pid" in its working folder and sleeps until it is killed. With
// HANGING_GZIP_FINISHES set it first does what gzip does when it is done
// (its output in place, its input removed), and hangs only then, as a gzip
// stopped just before it exits.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#define CURRENT_PID GetCurrentProcessId()
#else
#include <unistd.h>
#define CURRENT_PID getpid()
#endif

namespace {

void FinishLikeGzip(int argc, char** argv) {
  const std::string input = argv[argc - 1];
  bool decompress = false;
  for (int i = 1; i < argc; ++i) decompress = decompress || std::strcmp(argv[i], "-d") == 0;
  const std::string output = decompress ? input.substr(0, input.size() - 3) : input + ".gz";
  std::ofstream(output, std::ios::binary) << "done";
  std::remove(input.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("HANGING_GZIP_FINISHES") && argc > 1) FinishLikeGzip(argc, argv);
  {
    std::ofstream("hang.pid.tmp") << CURRENT_PID;
  }
  std::rename("hang.pid.tmp", "hang.pid");
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}
