#pragma once
// The names a state command works with, all formed before anything starts.
#include <stdexcept>
#include <string>

namespace stavrel {

// A final name that would not lie in the state's own folder, or would keep
// nothing of the name before its new extension.
class UnusableName : public std::invalid_argument {
 public:
  explicit UnusableName(std::wstring name)
      : std::invalid_argument("unusable name"), name_(std::move(name)) {}
  // The text the user gave: the default name, or the file's own name.
  const std::wstring& Name() const noexcept { return name_; }

 private:
  std::wstring name_;
};

struct DecompressNames {
  std::wstring folder;        // the state's folder with its "\", or empty
  std::wstring compressed;    // folder & "temp.gz": the copy gzip decompresses
  std::wstring decompressed;  // folder & "temp": where gzip leaves the data
  std::wstring final_name;    // TrimExt(folder & default name) & "sds"
};

struct CompressNames {
  std::wstring compressed;  // path & ".gz": where gzip leaves the data
  std::wstring final_name;  // TrimExt(path) & "000", or the slot's three digits
};

// Save states are numbered in slots 000 to 999, the slot being the extension.
inline constexpr int kLastSlot = 999;

// An empty default name stands for the state's own file name. Throws
// UnusableName when the name is not a plain file name of more than three
// characters (a folder in it, or too short to keep anything before the
// extension).
DecompressNames FormDecompressNames(const std::wstring& state, const std::wstring& default_name);
// `slot` (0 to kLastSlot) is the final name's extension, in three digits.
CompressNames FormCompressNames(const std::wstring& path, int slot = 0);

// The longest folder a child process can start in: Windows keeps a process's
// current folder within the old 260-character limit even where file names
// may be longer.
inline constexpr std::size_t kLongestWorkingFolder = 258;

// "<folder>\gzip.exe": the separator is appended even to a drive root.
std::wstring GzipProgram(const std::wstring& program_folder);
// gzip runs in the state's folder and is told "temp.gz" when the folder can
// be a working folder; otherwise it is given the full name.
bool DecompressesInStateFolder(const DecompressNames& names);
std::wstring DecompressCommandLine(const std::wstring& gzip, const DecompressNames& names);
// With `keep`, gzip leaves the file it compresses in place (its -k).
std::wstring CompressCommandLine(const std::wstring& gzip, const std::wstring& path,
                                 bool keep = false);

// What gzip reads from its environment: a user's GZIP=-N would change the
// names it writes.
inline constexpr const wchar_t* kGzipEnvironment[] = {L"GZIP", L"POSIXLY_CORRECT"};

}  // namespace stavrel
