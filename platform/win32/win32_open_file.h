#pragma once
#include <cstdint>
#include <string>

#include "base/win32/scoped_handles.h"
#include "platform.h"

namespace stavrel::win32::platform {

// A file opened with CreateFileW; every read and write names its own offset.
// The handle is this object's alone, so it tracks the file pointer and moves
// it only when a transfer does not start where the last one ended: Wine
// serves reads and writes given an OVERLAPPED offset through its server, at
// several times the cost of plain sequential ones.
class Win32OpenFile final : public OpenFile {
 public:
  // path is the name the caller used, for error messages.
  Win32OpenFile(KernelHandle handle, std::wstring path);

  std::uint64_t Length() override;
  std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) override;
  void WriteAt(std::uint64_t offset, std::span<const std::byte> data) override;
  void Flush() override;
  void Close() override;

 private:
  void MoveTo(std::uint64_t offset, const wchar_t* operation);

  KernelHandle handle_;
  std::wstring path_;
  static constexpr std::uint64_t kUnknownPosition = ~std::uint64_t{0};
  std::uint64_t position_ = 0;  // where the file pointer is, or kUnknownPosition
};

}  // namespace stavrel::win32::platform
