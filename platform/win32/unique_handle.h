#pragma once
// Owns a kernel HANDLE and closes it once. Null and INVALID_HANDLE_VALUE both
// mean "nothing owned": CreateFileW fails with the one, most calls with the other.
#include <windows.h>

#include <utility>

namespace stavrel::win32 {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  HANDLE Get() const noexcept { return handle_; }
  bool Valid() const noexcept { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Release() noexcept { return std::exchange(handle_, nullptr); }
  void Reset(HANDLE handle = nullptr) noexcept {
    HANDLE old = std::exchange(handle_, handle);
    if (old != nullptr && old != INVALID_HANDLE_VALUE) CloseHandle(old);
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace stavrel::win32
