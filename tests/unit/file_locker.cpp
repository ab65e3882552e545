// Another program holding a file open without sharing it, as an editor or a
// backup tool may: it opens "out.mdl" in its working folder, says so by
// making "locked", and keeps the file until it is killed.
#include <windows.h>

#include <cstdio>

int main() {
  HANDLE file = CreateFileW(L"out.mdl", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open out.mdl: error %lu\n", GetLastError());
    return 1;
  }
  // Made under another name and renamed once closed: whoever sees "locked"
  // may remove it at once.
  HANDLE ready = CreateFileW(L"locked.part", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(ready);
  if (!MoveFileW(L"locked.part", L"locked")) return 1;
  Sleep(INFINITE);
}
