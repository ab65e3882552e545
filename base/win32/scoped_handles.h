#pragma once
// Sole ownership of the Windows handles the program and its tests hold. One
// template; Traits says what "none" is and how a handle is given back.
#include <windows.h>
#include <shellapi.h>

#include <utility>

namespace stavrel::win32 {

template <class Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() noexcept = default;
  explicit ScopedHandle(Handle handle, Traits traits = {}) noexcept
      : handle_(handle), traits_(traits) {}
  ~ScopedHandle() { Reset(); }

  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()), traits_(other.traits_) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());
      traits_ = other.traits_;
    }
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  Handle Get() const noexcept { return handle_; }
  bool Valid() const noexcept { return !Traits::IsNone(handle_); }

  Handle Release() noexcept { return std::exchange(handle_, Traits::None()); }
  void Reset(Handle handle = Traits::None()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (!Traits::IsNone(old)) traits_.Free(old);
  }

 private:
  Handle handle_ = Traits::None();
  [[no_unique_address]] Traits traits_{};
};

// Traits for handles whose only "none" is null.
template <class H>
struct NullIsNone {
  using Handle = H;
  static H None() noexcept { return nullptr; }
  static bool IsNone(H handle) noexcept { return handle == nullptr; }
};

// Null and INVALID_HANDLE_VALUE both mean "nothing owned": CreateFileW fails
// with the one, most other calls with the other.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static HANDLE None() noexcept { return nullptr; }
  static bool IsNone(HANDLE handle) noexcept {
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
  }
  static void Free(HANDLE handle) noexcept { CloseHandle(handle); }
};
using KernelHandle = ScopedHandle<KernelHandleTraits>;

// A folder search from FindFirstFileExW, ended with FindClose.
struct FindHandleTraits : KernelHandleTraits {
  static void Free(HANDLE search) noexcept { FindClose(search); }
};
using FindHandle = ScopedHandle<FindHandleTraits>;

// A DC from GetDC goes back to the window it came from.
struct WindowDcTraits : NullIsNone<HDC> {
  HWND window = nullptr;
  void Free(HDC dc) const noexcept { ReleaseDC(window, dc); }
};
using WindowDc = ScopedHandle<WindowDcTraits>;
// The window's DC; a null window gives the whole screen's.
inline WindowDc GetWindowDc(HWND window) noexcept {
  WindowDcTraits traits;
  traits.window = window;
  return WindowDc(GetDC(window), traits);
}

// A DC of our own (CreateCompatibleDC, CreateDCW).
struct MemoryDcTraits : NullIsNone<HDC> {
  static void Free(HDC dc) noexcept { DeleteDC(dc); }
};
using MemoryDc = ScopedHandle<MemoryDcTraits>;

// Controls only borrow a font (WM_SETFONT), so it must outlive every control
// that shows it.
struct FontTraits : NullIsNone<HFONT> {
  static void Free(HFONT font) noexcept { DeleteObject(font); }
};
using FontHandle = ScopedHandle<FontTraits>;

// Deselect a bitmap from every DC before it goes.
struct BitmapTraits : NullIsNone<HBITMAP> {
  static void Free(HBITMAP bitmap) noexcept { DeleteObject(bitmap); }
};
using BitmapHandle = ScopedHandle<BitmapTraits>;

// An icon as LoadImageW returns it without LR_SHARED.
struct IconTraits : NullIsNone<HICON> {
  static void Free(HICON icon) noexcept { DestroyIcon(icon); }
};
using IconHandle = ScopedHandle<IconTraits>;

// The HDROP of one WM_DROPFILES; the shell's memory goes back with DragFinish.
struct DropTraits : NullIsNone<HDROP> {
  static void Free(HDROP drop) noexcept { DragFinish(drop); }
};
using DropHandle = ScopedHandle<DropTraits>;

// Memory the system allocated for us (FORMAT_MESSAGE_ALLOCATE_BUFFER).
struct LocalMemoryTraits : NullIsNone<HLOCAL> {
  static void Free(HLOCAL memory) noexcept { LocalFree(memory); }
};
using LocalMemory = ScopedHandle<LocalMemoryTraits>;

// This process's environment block, as GetEnvironmentStringsW hands it out.
struct EnvironmentBlockTraits : NullIsNone<wchar_t*> {
  static void Free(wchar_t* block) noexcept { FreeEnvironmentStringsW(block); }
};
using EnvironmentBlock = ScopedHandle<EnvironmentBlockTraits>;

// A GDI object selected into a DC for the lifetime of this object; the
// previous one is put back at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (Selected()) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  bool Selected() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace stavrel::win32
