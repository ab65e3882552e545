#pragma once
// An owned HICON, as LoadImageW returns it without LR_SHARED.
#include <windows.h>

#include "unique_handle.h"

namespace stavrel::win {

struct IconTraits {
  static HICON None() noexcept { return nullptr; }
  static void Free(HICON icon) noexcept { DestroyIcon(icon); }
};
using IconHandle = UniqueHandle<HICON, IconTraits>;

}  // namespace stavrel::win
