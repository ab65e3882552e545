#pragma once
// The names a state command works with, all formed before anything starts.
#include <string>

namespace stavrel {

struct DecompressNames {
  std::wstring folder;        // the state's folder with its "\", or empty
  std::wstring compressed;    // folder & "temp.gz": the copy gzip decompresses
  std::wstring decompressed;  // folder & "temp": where gzip leaves the data
  std::wstring final_name;    // TrimExt(folder & default name) & "sds"
};

struct CompressNames {
  std::wstring compressed;  // path & ".gz": where gzip leaves the data
  std::wstring final_name;  // TrimExt(path) & "000"
};

// An empty default name stands for the state's own file name. Throws
// PathTooShort when no final name can be formed.
DecompressNames FormDecompressNames(const std::wstring& state, const std::wstring& default_name);
CompressNames FormCompressNames(const std::wstring& path);

// "<folder>\gzip.exe": the separator is appended even to a drive root.
std::wstring GzipProgram(const std::wstring& program_folder);
std::wstring DecompressCommandLine(const std::wstring& gzip);
std::wstring CompressCommandLine(const std::wstring& gzip, const std::wstring& path);

}  // namespace stavrel
