#include "win32_open_file.h"

#include <algorithm>

#include "base/win32/system_error_text.h"

namespace stavrel::win32::platform {
namespace {

// ReadFile and WriteFile count in DWORDs; stay well below that.
constexpr std::size_t kMaxTransfer = 1u << 30;

}  // namespace

Win32OpenFile::Win32OpenFile(KernelHandle handle, std::wstring path)
    : handle_(std::move(handle)), path_(std::move(path)) {}

std::uint64_t Win32OpenFile::Length() {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_.Get(), &size)) throw LastError(L"read", path_);
  return static_cast<std::uint64_t>(size.QuadPart);
}

void Win32OpenFile::MoveTo(std::uint64_t offset, const wchar_t* operation) {
  if (position_ == offset) return;
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  position_ = kUnknownPosition;
  if (!SetFilePointerEx(handle_.Get(), to, nullptr, FILE_BEGIN)) throw LastError(operation, path_);
  position_ = offset;
}

std::size_t Win32OpenFile::ReadAt(std::uint64_t offset, std::span<std::byte> buffer) {
  std::size_t total = 0;
  while (total < buffer.size()) {
    const auto wanted = static_cast<DWORD>(std::min(buffer.size() - total, kMaxTransfer));
    MoveTo(offset + total, L"read");
    DWORD got = 0;
    if (!ReadFile(handle_.Get(), buffer.data() + total, wanted, &got, nullptr)) {
      position_ = kUnknownPosition;
      throw LastError(L"read", path_);
    }
    position_ += got;
    if (got == 0) break;
    total += got;
  }
  return total;
}

void Win32OpenFile::WriteAt(std::uint64_t offset, std::span<const std::byte> data) {
  std::size_t total = 0;
  while (total < data.size()) {
    const auto wanted = static_cast<DWORD>(std::min(data.size() - total, kMaxTransfer));
    MoveTo(offset + total, L"write");
    DWORD written = 0;
    if (!WriteFile(handle_.Get(), data.data() + total, wanted, &written, nullptr)) {
      position_ = kUnknownPosition;
      throw LastError(L"write", path_);
    }
    position_ += written;
    // Would loop for ever; a disk file never does this without an error code.
    if (written == 0) throw Win32Error(L"write", path_, ERROR_WRITE_FAULT);
    total += written;
  }
}

void Win32OpenFile::Flush() {
  if (!FlushFileBuffers(handle_.Get())) throw LastError(L"write", path_);
}

void Win32OpenFile::Close() {
  if (!CloseHandle(handle_.Release())) throw LastError(L"close", path_);
}

}  // namespace stavrel::win32::platform
