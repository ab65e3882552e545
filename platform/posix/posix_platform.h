#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform.h"

namespace stavrel {

// The platform on Linux, so the program's logic runs and is tested natively.
// Paths arrive in Windows form; every "\" is taken for "/".
class PosixPlatform final : public Platform {
 public:
  // Without an override, the program folder is the folder of /proc/self/exe.
  PosixPlatform() = default;
  explicit PosixPlatform(std::wstring program_folder_override);

  void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) override;
  std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  bool SameFile(const std::wstring& a, const std::wstring& b) override;
  bool FileExists(const std::wstring& path) override;
  bool IsFolder(const std::wstring& path, Links links) override;
  bool NameTaken(const std::wstring& path) override;
  // In Windows form too ("\" between folders), like every other path here.
  std::wstring ProgramFolder() override;
  // Beside the program (as in the build tree), then <prefix>/libexec/stavrel/gzip
  // for a program installed as <prefix>/bin/stavrel-cli.
  std::vector<std::wstring> GzipLocations() override;
  std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) override;

 private:
  std::optional<std::wstring> program_folder_override_;
};

}  // namespace stavrel
