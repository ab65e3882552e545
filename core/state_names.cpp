#include "state_names.h"

#include <algorithm>

#include "path_names.h"

namespace stavrel {
namespace {

// "\" is the helpers' separator; Windows also takes "/" as one, and ":"
// would name a stream of another file.
bool IsPlainFileName(const std::wstring& name) {
  return name.find_first_of(L"\\/:") == std::wstring::npos;
}

// The name must keep at least one character before its new extension.
std::wstring TrimmedFileName(const std::wstring& name) {
  if (!IsPlainFileName(name) || name.size() <= 3) throw UnusableName(name);
  return TrimExt(name);
}

std::wstring FileNameOf(const std::wstring& path) {
  return path.find(L'\\') == std::wstring::npos ? path : TrimDir(path);
}

// The child splits its command line at blanks to find its arguments, so a
// program folder with a blank ("C:\Program Files\...") must be quoted.
std::wstring ProgramArgument(const std::wstring& gzip) {
  return gzip.find_first_of(L" \t") == std::wstring::npos ? gzip : L"\"" + gzip + L"\"";
}

// gzip would read a name starting with "-" as options.
std::wstring QuotedOperand(const std::wstring& path) {
  return L"\"" + (path.starts_with(L'-') ? L".\\" + path : path) + L"\"";
}

}  // namespace

DecompressNames FormDecompressNames(const std::wstring& state, const std::wstring& default_name) {
  DecompressNames names;
  names.folder = RootDir(state);
  names.compressed = names.folder + L"temp.gz";
  names.decompressed = names.folder + L"temp";
  const std::wstring name = default_name.empty() ? FileNameOf(state) : default_name;
  names.final_name = names.folder + TrimmedFileName(name) + L"sds";
  return names;
}

CompressNames FormCompressNames(const std::wstring& path, int slot) {
  const std::wstring digits = std::to_wstring(slot);
  const std::wstring extension =
      std::wstring(3 - std::min<std::size_t>(digits.size(), 3), L'0') + digits;
  // TrimExt(RootDir(path) & TrimDir(path)) is the path itself when it holds a
  // backslash; without one the path is a name in the current folder.
  return {path + L".gz", RootDir(path) + TrimmedFileName(FileNameOf(path)) + extension};
}

std::wstring GzipProgram(const std::wstring& program_folder) {
  return program_folder + L"\\gzip.exe";
}

bool DecompressesInStateFolder(const DecompressNames& names) {
  return names.folder.size() <= kLongestWorkingFolder;
}

std::wstring DecompressCommandLine(const std::wstring& gzip, const DecompressNames& names) {
  if (DecompressesInStateFolder(names)) return ProgramArgument(gzip) + L" -d " + L"temp.gz";
  return ProgramArgument(gzip) + L" -d " + QuotedOperand(names.compressed);
}

std::wstring CompressCommandLine(const std::wstring& gzip, const std::wstring& path, bool keep) {
  return ProgramArgument(gzip) + (keep ? L" -k " : L" ") + QuotedOperand(path);
}

}  // namespace stavrel
