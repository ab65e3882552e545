#pragma once
#include <string>

#include "base/posix/unique_fd.h"
#include "platform.h"

namespace stavrel::posix {

// A file opened with open(2); every read and write names its own offset.
class PosixOpenFile final : public OpenFile {
 public:
  // path is the name the caller used, for error messages.
  PosixOpenFile(UniqueFd fd, std::wstring path);

  std::uint64_t Length() override;
  std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) override;
  void WriteAt(std::uint64_t offset, std::span<const std::byte> data) override;
  void Flush() override;
  void Close() override;

 private:
  UniqueFd fd_;
  std::wstring path_;
};

}  // namespace stavrel::posix
