#pragma once
// An owned memory device context (CreateCompatibleDC).
#include <windows.h>

#include "unique_handle.h"

namespace stavrel::win {

struct MemoryDcTraits {
  static HDC None() noexcept { return nullptr; }
  static void Free(HDC dc) noexcept { DeleteDC(dc); }
};
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

}  // namespace stavrel::win
