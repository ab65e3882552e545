#pragma once
// Sole ownership of one Windows handle; Traits says what "none" is and how the
// handle is given back. Each handle kind has its own small header.
#include <utility>

namespace stavrel::win {

template <class Handle, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::None(); }

  Handle release() noexcept { return std::exchange(handle_, Traits::None()); }
  void reset(Handle handle = Traits::None()) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::None()) Traits::Free(old);
  }

 private:
  Handle handle_ = Traits::None();
};

}  // namespace stavrel::win
