// Global operator new/delete for the gzip target. Under AddressSanitizer every
// allocation above 128 KiB is a fresh mmap, and each MemberReader makes two
// of 256 KiB: without reuse the target spends nearly all its time in the
// kernel. Large blocks are kept here instead, poisoned while unused so that
// a use after free is still reported, with poisoned guard bytes on both
// sides so that overflows are too.
#include <sanitizer/asan_interface.h>

#include <array>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kLargeSize = 128 * 1024;
constexpr std::size_t kGuard = 4096;

struct Block {
  char* base = nullptr;  // the guard before the user's bytes starts here
  std::size_t size = 0;  // the user's bytes
  bool in_use = false;
};

std::array<Block, 16> blocks;

void* Allocate(std::size_t size) {
  if (size >= kLargeSize) {
    for (Block& b : blocks) {
      if (b.base && !b.in_use && b.size == size) {
        b.in_use = true;
        ASAN_UNPOISON_MEMORY_REGION(b.base + kGuard, size);
        return b.base + kGuard;
      }
    }
    for (Block& b : blocks) {
      if (b.base) continue;
      b.base = static_cast<char*>(std::malloc(size + 2 * kGuard));
      if (!b.base) throw std::bad_alloc();
      b.size = size;
      b.in_use = true;
      ASAN_POISON_MEMORY_REGION(b.base, kGuard);
      ASAN_POISON_MEMORY_REGION(b.base + kGuard + size, kGuard);
      return b.base + kGuard;
    }
  }
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  return p;
}

void Release(void* p) {
  for (Block& b : blocks) {
    if (b.base && b.in_use && b.base + kGuard == p) {
      b.in_use = false;
      ASAN_POISON_MEMORY_REGION(p, b.size);
      return;
    }
  }
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
