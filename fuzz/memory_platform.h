#pragma once
// A Platform whose files are byte vectors in a map, for fuzzing code that
// works on files without touching the disk. Names are compared exactly.
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace stavrel::fuzz {

using FileMap = std::map<std::wstring, std::vector<std::byte>>;

class MemoryPlatform : public Platform {
 public:
  FileMap files;
  // The n-th WriteAt (counted from 1, over all files) fails; 0: none does.
  int fail_write_number = 0;
  int writes = 0;

  void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) override;
  std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  bool SameFile(const std::wstring& a, const std::wstring& b) override;
  bool FileExists(const std::wstring& path) override;
  bool IsFolder(const std::wstring&, Links) override { return false; }  // no folders here
  bool NameTaken(const std::wstring& path) override { return FileExists(path); }
  std::wstring ProgramFolder() override { return L"C:\\Stavrel"; }
  std::vector<std::wstring> GzipLocations() override { return {L"C:\\Stavrel\\gzip.exe"}; }
  std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) override;

  // The file's bytes; throws SystemError(NotFound) when it does not exist.
  std::vector<std::byte>& Contents(const std::wstring& operation, const std::wstring& path);
};

}  // namespace stavrel::fuzz
