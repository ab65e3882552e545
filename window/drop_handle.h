#pragma once
// The HDROP of one WM_DROPFILES; the shell's memory goes back with DragFinish.
#include <windows.h>
#include <shellapi.h>

#include "unique_handle.h"

namespace stavrel::win {

struct DropTraits {
  static HDROP None() noexcept { return nullptr; }
  static void Free(HDROP drop) noexcept { DragFinish(drop); }
};
using DropHandle = UniqueHandle<HDROP, DropTraits>;

}  // namespace stavrel::win
