#pragma once
// Real files in a fresh temporary folder, named the way the program names
// them: Windows paths with "\" (the POSIX platform maps them).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace stavrel::test {

using Bytes = std::vector<std::uint8_t>;

// The native form of a program path; on Windows with the "\\?\" prefix when
// the path is too long for the plain form.
std::filesystem::path NativePath(const std::wstring& path);

// A path on the build machine (as the build names a built file) as this
// test sees it: under Wine the build machine's "/" is drive Z:.
std::filesystem::path BuildMachinePath(const std::string& path);

// A folder whose name holds a blank and a non-ASCII letter, so that paths
// are never plain ASCII, removed with everything in it (read-only files
// included) at the end of the test.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& hint = L"stavrel t\u00e9st");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in "\".
  const std::wstring& Path() const { return path_; }
  // The folder without the trailing "\", as a working or program folder is given.
  std::wstring Folder() const { return path_.substr(0, path_.size() - 1); }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }
  // Names of the files in the folder, sorted.
  std::vector<std::wstring> Names() const;

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, const Bytes& bytes);
Bytes ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);

// The platform the program runs on here: Win32 under Wine, POSIX natively.
std::unique_ptr<Platform> MakePlatform(const std::wstring& program_folder = L"");

// Sets an environment variable for the life of the scope, then unsets it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::wstring name, const std::wstring& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::wstring name_;
};

// A program folder of its own holding our gzip as "gzip.exe", and the
// platform of a program that runs from it.
class GzipProgramFolder {
 public:
  explicit GzipProgramFolder(const std::wstring& hint = L"prog");

  const TempFolder& Folder() const { return folder_; }
  std::wstring operator/(const std::wstring& name) const { return folder_ / name; }
  std::unique_ptr<Platform> MakePlatform() const { return test::MakePlatform(folder_.Folder()); }

 private:
  TempFolder folder_;
};

}  // namespace stavrel::test
