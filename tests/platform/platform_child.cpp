// A small program for the process tests to start. It obeys its options in
// order and ignores any other word, so a command line whose unquoted program
// name splits into several words still works:
//   --stderr TEXT       writes TEXT and a line break to standard error
//   --stderr-hex HEX    writes the bytes given in hex to standard error
//   --stderr-bytes N    writes N bytes of letters to standard error
//   --sleep-ms N        sleeps
//   --wait-for NAME     waits until a file NAME appears in the working
//                       directory
//   --write-self NAME   writes its own executable path (UTF-8) into NAME,
//                       relative to the working directory
//   --stderr-env NAME   writes NAME=value, or NAME=(unset), to standard error
//   --exit N            ends with exit code N
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "base/utf.h"
#else
#include <unistd.h>
#endif

namespace {

std::string OwnPath() {
#ifdef _WIN32
  wchar_t wide[32768];
  const DWORD length = GetModuleFileNameW(nullptr, wide, 32768);
  return stavrel::WideToUtf8(std::wstring_view(wide, length));
#else
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  return std::string(path, length > 0 ? static_cast<std::size_t>(length) : 0);
#endif
}

void WriteError(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Byte-exact output: no "\n" -> "\r\n" translation.
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--stderr") {
      WriteError(value + "\n");
    } else if (option == "--stderr-hex") {
      std::string bytes;
      for (std::size_t at = 0; at + 1 < value.size(); at += 2) {
        bytes += static_cast<char>(std::stoi(value.substr(at, 2), nullptr, 16));
      }
      WriteError(bytes);
    } else if (option == "--stderr-bytes") {
      std::string letters(std::stoul(value), '\0');
      for (std::size_t at = 0; at < letters.size(); ++at)
        letters[at] = static_cast<char>('a' + at % 26);
      WriteError(letters);
    } else if (option == "--sleep-ms") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(value)));
    } else if (option == "--wait-for") {
      while (!std::ifstream(value))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else if (option == "--write-self") {
      std::ofstream(value, std::ios::binary) << OwnPath();
    } else if (option == "--stderr-env") {
      const char* found = std::getenv(value.c_str());
      WriteError(value + "=" + (found ? found : "(unset)") + "\n");
    } else if (option == "--exit") {
      std::fflush(stderr);
      return std::stoi(value);
    } else {
      continue;
    }
    ++i;
  }
  return 0;
}
