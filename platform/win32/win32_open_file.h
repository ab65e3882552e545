#pragma once
#include <string>

#include "platform.h"
#include "unique_handle.h"

namespace stavrel::win32 {

// A file opened with CreateFileW; every read and write names its own offset.
class Win32OpenFile final : public OpenFile {
 public:
  // path is the name the caller used, for error messages.
  Win32OpenFile(UniqueHandle handle, std::wstring path);

  std::uint64_t Length() override;
  std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) override;
  void WriteAt(std::uint64_t offset, std::span<const std::byte> data) override;
  void Flush() override;
  void Close() override;

 private:
  UniqueHandle handle_;
  std::wstring path_;
};

}  // namespace stavrel::win32
