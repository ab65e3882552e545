#pragma once
// Taking a Windows path apart. "\" is the only separator; characters are
// compared exactly. These never touch the file system.
#include <stdexcept>
#include <string>

namespace stavrel {

// TrimExt of a text shorter than three characters.
class PathTooShort : public std::invalid_argument {
 public:
  explicit PathTooShort(std::wstring path)
      : std::invalid_argument("path shorter than an extension"), path_(std::move(path)) {}
  const std::wstring& Path() const noexcept { return path_; }

 private:
  std::wstring path_;
};

// The folder part, with its final backslash; empty without a backslash.
std::wstring RootDir(const std::wstring& path);
// The part after the final backslash; empty without a backslash.
std::wstring TrimDir(const std::wstring& path);
// The path without its last three characters (a three-character extension is
// assumed; the dot stays). Throws PathTooShort below three characters.
std::wstring TrimExt(const std::wstring& path);

}  // namespace stavrel
