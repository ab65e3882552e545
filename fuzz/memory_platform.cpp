#include "memory_platform.h"

#include <algorithm>
#include <cstring>

#include "base/system_error.h"

namespace stavrel::fuzz {
namespace {

// Looks its file up by name on every call: a file removed or renamed while
// open then fails like a vanished file instead of touching freed memory.
class MemoryFile : public OpenFile {
 public:
  MemoryFile(MemoryPlatform& platform, std::wstring path, bool writable)
      : platform_(platform), path_(std::move(path)), writable_(writable) {}

  std::uint64_t Length() override { return Bytes(L"read").size(); }

  std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) override {
    const auto& bytes = Bytes(L"read");
    if (offset >= bytes.size()) return 0;
    const std::size_t count = std::min<std::uint64_t>(buffer.size(), bytes.size() - offset);
    std::memcpy(buffer.data(), bytes.data() + offset, count);
    return count;
  }

  void WriteAt(std::uint64_t offset, std::span<const std::byte> data) override {
    if (!writable_) throw SystemError(L"write", path_, L"opened for reading only", ErrorKind::AccessDenied);
    if (++platform_.writes == platform_.fail_write_number)
      throw SystemError(L"write", path_, L"There is not enough space on the disk.");
    auto& bytes = Bytes(L"write");
    if (bytes.size() < offset + data.size()) bytes.resize(offset + data.size());
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  }

  void Flush() override { Bytes(L"flush"); }
  void Close() override { closed_ = true; }

 private:
  std::vector<std::byte>& Bytes(const wchar_t* operation) {
    if (closed_) throw SystemError(operation, path_, L"the file is closed");
    return platform_.Contents(operation, path_);
  }

  MemoryPlatform& platform_;
  std::wstring path_;
  bool writable_;
  bool closed_ = false;
};

}  // namespace

std::vector<std::byte>& MemoryPlatform::Contents(const std::wstring& operation, const std::wstring& path) {
  const auto found = files.find(path);
  if (found == files.end())
    throw SystemError(operation, path, L"No such file in memory.", ErrorKind::NotFound);
  return found->second;
}

void MemoryPlatform::CopyFile(const std::wstring& from, const std::wstring& to, bool replace) {
  const auto bytes = Contents(L"copy", from);
  if (!replace && files.contains(to))
    throw SystemError(L"copy", to, L"The file exists.", ErrorKind::AlreadyExists);
  files[to] = bytes;
}

std::unique_ptr<OpenFile> MemoryPlatform::OpenForReading(const std::wstring& path) {
  Contents(L"open", path);
  return std::make_unique<MemoryFile>(*this, path, false);
}

std::unique_ptr<OpenFile> MemoryPlatform::CreateNew(const std::wstring& path) {
  if (files.contains(path)) throw SystemError(L"create", path, L"The file exists.", ErrorKind::AlreadyExists);
  files[path];
  return std::make_unique<MemoryFile>(*this, path, true);
}

void MemoryPlatform::RemoveFile(const std::wstring& path) {
  Contents(L"delete", path);
  files.erase(path);
}

void MemoryPlatform::RenameFile(const std::wstring& from, const std::wstring& to, bool replace) {
  Contents(L"rename", from);
  if (!replace && files.contains(to))
    throw SystemError(L"rename", to, L"The file exists.", ErrorKind::AlreadyExists);
  auto bytes = std::move(files[from]);
  files.erase(from);
  files[to] = std::move(bytes);
}

bool MemoryPlatform::SameFile(const std::wstring& a, const std::wstring& b) {
  return a == b && files.contains(a);
}

bool MemoryPlatform::FileExists(const std::wstring& path) { return files.contains(path); }

std::unique_ptr<ChildProcess> MemoryPlatform::StartProcess(const ProcessLaunch& launch) {
  throw SystemError(L"start", launch.application, L"no programs run in memory");
}

}  // namespace stavrel::fuzz
