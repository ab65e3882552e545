#pragma once
#include <string>

// A fresh folder in the system's temporary folder for one test, named with a
// blank and a non-ASCII letter so that paths are never plain ASCII. It goes
// away with everything in it, read-only files included.
class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  // The folder's path; on Linux in the system's own form ("/tmp/...").
  const std::wstring& Path() const { return path_; }
  // Path() + "\" + name: the platform under test takes "\" everywhere.
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};
