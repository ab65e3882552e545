// RootDir, TrimDir, TrimExt and the names the state commands form from them,
// on paths over the characters that decide how a path splits.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "path_names.h"
#include "state_names.h"
#include "text_alphabet.h"
#include "windows_command_line.h"

namespace {

using namespace stavrel;
using namespace stavrel::fuzz;

constexpr wchar_t kAlphabet[] = L"\\\\\\..:Ca1 \t-_/\"\u00e9\u4e2d";

void CheckSplit(const std::wstring& path) {
  const std::wstring root = RootDir(path);
  const std::wstring name = TrimDir(path);
  const bool has_backslash = path.find(L'\\') != std::wstring::npos;
  const std::wstring detail = L"path " + Quoted(path) + L"\nRootDir " + Quoted(root) + L"\nTrimDir " + Quoted(name);
  if (has_backslash) {
    Require(root + name == path, "RootDir + TrimDir is the path", detail);
    Require(root.ends_with(L'\\'), "RootDir ends with a backslash", detail);
  } else {
    Require(root.empty() && name.empty(), "no backslash: RootDir and TrimDir are empty", detail);
  }
  Require(name.find(L'\\') == std::wstring::npos, "TrimDir holds no backslash", detail);
}

void CheckTrimExt(const std::wstring& path) {
  try {
    const std::wstring trimmed = TrimExt(path);
    Require(path.size() >= 3 && trimmed.size() == path.size() - 3 && path.starts_with(trimmed),
            "TrimExt drops the last three characters", L"path " + Quoted(path) + L"\nTrimExt " + Quoted(trimmed));
  } catch (const PathTooShort& error) {
    Require(path.size() < 3 && error.Path() == path, "TrimExt throws only below three characters",
            L"path " + Quoted(path));
  }
}

// The name a final name is made from must be a plain file name that keeps
// something before its new extension; then the final name lies in the
// input's folder.
bool Usable(const std::wstring& name) {
  return name.size() > 3 && name.find_first_of(L"\\/:") == std::wstring::npos;
}

std::wstring OwnName(const std::wstring& path) {
  return path.find(L'\\') == std::wstring::npos ? path : TrimDir(path);
}

void CheckDecompressNames(const std::wstring& state, const std::wstring& default_name) {
  const std::wstring folder = RootDir(state);
  const std::wstring name = default_name.empty() ? OwnName(state) : default_name;
  const std::wstring detail = L"state " + Quoted(state) + L"\ndefault name " + Quoted(default_name);
  try {
    const DecompressNames names = FormDecompressNames(state, default_name);
    Require(Usable(name), "a final name comes only from a plain name of more than three characters", detail);
    Require(names.folder == folder, "the folder is RootDir", detail);
    Require(names.compressed == folder + L"temp.gz" && names.decompressed == folder + L"temp",
            "temp.gz and temp sit in the state's folder", detail);
    Require(names.final_name == folder + name.substr(0, name.size() - 3) + L"sds",
            "the final name is TrimExt(folder & name) & sds", detail + L"\nfinal " + Quoted(names.final_name));
    Require(RootDir(names.final_name) == folder, "the final name is in the state's folder", detail);
  } catch (const UnusableName& error) {
    Require(!Usable(name) && error.Name() == name, "only an unusable name is refused, and quoted", detail);
  }
}

void CheckCompressNames(const std::wstring& path) {
  const std::wstring detail = L"path " + Quoted(path);
  const std::wstring name = OwnName(path);
  try {
    const CompressNames names = FormCompressNames(path);
    Require(Usable(name), "a final name comes only from a plain name of more than three characters", detail);
    Require(names.compressed == path + L".gz", "gzip leaves path & .gz", detail);
    Require(names.final_name == path.substr(0, path.size() - 3) + L"000",
            "the final name is TrimExt(path) & 000", detail + L"\nfinal " + Quoted(names.final_name));
    Require(RootDir(names.final_name) == RootDir(path), "the final name is in the path's folder", detail);
  } catch (const UnusableName& error) {
    Require(!Usable(name) && error.Name() == name, "only an unusable name is refused, and quoted", detail);
  }
}

void CheckCommandLines(const std::wstring& folder, const std::wstring& path) {
  const std::wstring gzip = GzipProgram(folder);
  Require(gzip == folder + L"\\gzip.exe", "gzip.exe is in the program folder", L"folder " + Quoted(folder));
  // No Windows name holds a quote, and a file to compress never ends in a
  // backslash: no quoting could carry those through.
  if (folder.find(L'"') != std::wstring::npos) return;
  DecompressNames names;
  names.folder = folder + L"\\";
  names.compressed = names.folder + L"temp.gz";
  const std::wstring decompress = DecompressCommandLine(gzip, names);
  // A folder too long to start a process in is named in the argument.
  const bool in_folder = DecompressesInStateFolder(names);
  Require(in_folder == (names.folder.size() <= kLongestWorkingFolder), "only short folders are working folders",
          L"folder " + Quoted(folder));
  const std::wstring operand = in_folder ? L"temp.gz" : (names.compressed.starts_with(L'-') ? L".\\" : L"") + names.compressed;
  const std::vector<std::wstring> expected{gzip, L"-d", operand};
  Require(SplitLikeWindows(decompress) == expected, "the decompression line splits into gzip -d and the file",
          L"folder " + Quoted(folder) + L"\nline " + Quoted(decompress));

  if (path.find(L'"') != std::wstring::npos || path.ends_with(L'\\')) return;
  const std::wstring line = CompressCommandLine(gzip, path);
  const std::wstring detail = L"folder " + Quoted(folder) + L"\npath " + Quoted(path) + L"\nline " + Quoted(line);
  const std::vector<std::wstring> arguments = SplitLikeWindows(line);
  Require(arguments.size() == 2 && arguments[0] == gzip, "the compression line is gzip and one argument", detail);
  // gzip must never take the file for an option.
  Require(!arguments[1].starts_with(L'-'), "the argument does not start with -", detail);
  Require(arguments[1] == path || arguments[1] == L".\\" + path, "the argument names the path", detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text = MapToAlphabet(data, size, {kAlphabet, std::size(kAlphabet) - 1});
  // The first 0xff byte ends the state path; what follows is the default name.
  std::wstring default_name;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xff) {
      default_name = text.substr(i + 1);
      text.resize(i);
      break;
    }
  }
  const std::wstring& path = text;

  CheckSplit(path);
  CheckTrimExt(path);
  CheckDecompressNames(path, default_name);
  CheckCompressNames(path);
  CheckCommandLines(default_name, path);
  return 0;
}
