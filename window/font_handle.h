#pragma once
// An owned HFONT. Controls only borrow it (WM_SETFONT), so it must outlive
// every control that shows it.
#include <windows.h>

#include "unique_handle.h"

namespace stavrel::win {

struct FontTraits {
  static HFONT None() noexcept { return nullptr; }
  static void Free(HFONT font) noexcept { DeleteObject(font); }
};
using FontHandle = UniqueHandle<HFONT, FontTraits>;

}  // namespace stavrel::win
