#include "inheritable_pipe.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

InheritablePipe::InheritablePipe() {
  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  EXPECT_TRUE(CreatePipe(&read, &write, &inheritable, 0));
  read_.Reset(read);
  write_.Reset(write);
}

InheritablePipe::~InheritablePipe() = default;

void InheritablePipe::CloseWriteEnd() { write_.Reset(); }

bool InheritablePipe::WriteEndHeldElsewhere() {
  DWORD available = 0;
  if (PeekNamedPipe(read_.Get(), nullptr, 0, nullptr, &available, nullptr)) return true;
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
  return false;
}
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

InheritablePipe::InheritablePipe() {
  int ends[2];
  EXPECT_EQ(pipe(ends), 0);
  read_ = ends[0];
  write_ = ends[1];
  fcntl(read_, F_SETFL, O_NONBLOCK);
}

InheritablePipe::~InheritablePipe() {
  if (write_ >= 0) close(write_);
  if (read_ >= 0) close(read_);
}

void InheritablePipe::CloseWriteEnd() {
  close(write_);
  write_ = -1;
}

bool InheritablePipe::WriteEndHeldElsewhere() {
  char byte;
  const ssize_t got = read(read_, &byte, 1);
  if (got == 0) return false;
  EXPECT_TRUE(got < 0 && errno == EAGAIN);
  return true;
}
#endif
