#pragma once
// Real files for the program to work on, in a fresh folder of their own.
#include <string>
#include <vector>

#include "bytes.h"

namespace stavrel::ui {

// A folder in the Windows temporary folder whose name holds a blank and a
// non-ASCII letter, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as a Windows path ending in "\".
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }
  // The names of the files in it, sorted.
  std::vector<std::wstring> Names() const;

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, const Bytes& bytes);
Bytes ReadBytes(const std::wstring& path);

}  // namespace stavrel::ui
