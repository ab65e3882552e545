#pragma once
// An owned HBITMAP. Deselect it from every DC before it goes.
#include <windows.h>

#include "unique_handle.h"

namespace stavrel::win {

struct BitmapTraits {
  static HBITMAP None() noexcept { return nullptr; }
  static void Free(HBITMAP bitmap) noexcept { DeleteObject(bitmap); }
};
using BitmapHandle = UniqueHandle<HBITMAP, BitmapTraits>;

}  // namespace stavrel::win
