#pragma once
// A platform that passes every operation to the real one, except that the
// n-th operation fails the way the test asks, and gzip can be made to fail
// in the ways a real one does. It also counts what is still open.
#include <string>
#include <vector>

#include "platform.h"

namespace stavrel::test {

enum class Fault { NotFound, AccessDenied, DiskFull };

enum class GzipFault {
  None,
  ExitsWithError,        // does nothing, says why, exits 1
  FailsAfterItsWork,     // does its work, then exits 1
  WarnsWithoutOutput,    // exits 2 and makes nothing
  KilledHalfWay,         // leaves half an output behind, killed
  FinalNameAppears,      // someone makes the final name while it runs (or,
                         // without gzip, just before the final rename)
};

class FaultyPlatform : public Platform {
 public:
  explicit FaultyPlatform(Platform& real) : real_(real) {}

  // Which operation fails (counted from 1; 0: none) and how.
  int fail_at = 0;
  Fault fault = Fault::DiskFull;
  GzipFault gzip_fault = GzipFault::None;
  std::wstring gzip_output;       // where a half-killed gzip leaves its output
  std::wstring appearing_name;    // what appears while gzip runs

  int operations = 0;
  int open_objects = 0;           // files and processes not yet released
  std::vector<std::wstring> log;  // operation names, in order

  // Counts an operation and throws if it is the one that must fail.
  void Step(const wchar_t* operation, const std::wstring& path);

  void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) override;
  std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) override;
  bool SameFile(const std::wstring& a, const std::wstring& b) override;
  bool FileExists(const std::wstring& path) override { return real_.FileExists(path); }
  bool IsFolder(const std::wstring& path, Links links) override { return real_.IsFolder(path, links); }
  bool NameTaken(const std::wstring& path) override { return real_.NameTaken(path); }
  std::wstring ProgramFolder() override { return real_.ProgramFolder(); }
  std::vector<std::wstring> GzipLocations() override { return real_.GzipLocations(); }
  std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) override;

 private:
  Platform& real_;
};

}  // namespace stavrel::test
