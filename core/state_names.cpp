#include "state_names.h"

#include "path_names.h"

namespace stavrel {

DecompressNames FormDecompressNames(const std::wstring& state, const std::wstring& default_name) {
  DecompressNames names;
  names.folder = RootDir(state);
  names.compressed = names.folder + L"temp.gz";
  names.decompressed = names.folder + L"temp";
  const std::wstring name = default_name.empty() ? TrimDir(state) : default_name;
  names.final_name = TrimExt(names.folder + name) + L"sds";
  return names;
}

CompressNames FormCompressNames(const std::wstring& path) {
  // TrimExt(RootDir(path) & TrimDir(path)) is the path itself when it holds a
  // backslash; without one the path is a name in the current folder.
  return {path + L".gz", TrimExt(path) + L"000"};
}

std::wstring GzipProgram(const std::wstring& program_folder) {
  return program_folder + L"\\gzip.exe";
}

namespace {

// The child splits its command line at blanks to find its arguments, so a
// program folder with a blank ("C:\Program Files\...") must be quoted.
std::wstring ProgramArgument(const std::wstring& gzip) {
  return gzip.find_first_of(L" \t") == std::wstring::npos ? gzip : L"\"" + gzip + L"\"";
}

}  // namespace

std::wstring DecompressCommandLine(const std::wstring& gzip) {
  return ProgramArgument(gzip) + L" -d " + L"temp.gz";
}

std::wstring CompressCommandLine(const std::wstring& gzip, const std::wstring& path) {
  // gzip would read a name starting with "-" as options.
  const std::wstring argument = path.starts_with(L'-') ? L".\\" + path : path;
  return ProgramArgument(gzip) + L" \"" + argument + L"\"";
}

}  // namespace stavrel
