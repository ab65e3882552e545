// Stands in for a gzip.exe that hangs: it leaves its process id in
// "hang.pid" in its working folder and sleeps until it is killed.
#include <chrono>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#define CURRENT_PID GetCurrentProcessId()
#else
#include <unistd.h>
#define CURRENT_PID getpid()
#endif

int main() {
  {
    std::ofstream("hang.pid.tmp") << CURRENT_PID;
  }
  std::rename("hang.pid.tmp", "hang.pid");
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}
