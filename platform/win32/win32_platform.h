#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform.h"

namespace stavrel {

// The platform on Windows: wide Win32 calls throughout, paths past MAX_PATH
// included.
class Win32Platform final : public Platform {
 public:
  // Without an override, the program folder is the folder of the running exe.
  Win32Platform() = default;
  explicit Win32Platform(std::wstring program_folder_override);

  void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) override;
  std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  bool SameFile(const std::wstring& a, const std::wstring& b) override;
  bool FileExists(const std::wstring& path) override;
  bool IsFolder(const std::wstring& path, Links links) override;
  bool NameTaken(const std::wstring& path) override;
  std::wstring ProgramFolder() override;
  std::vector<std::wstring> GzipLocations() override;
  std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) override;

 private:
  std::optional<std::wstring> program_folder_override_;
};

}  // namespace stavrel
