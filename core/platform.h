#pragma once
// The file-system and process operations the program's logic needs. Paths are
// Windows paths ("\" separates folders); the POSIX implementation maps them.
// Every operation throws SystemError with the system's reason when it fails.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stavrel {

// An open file. The destructor closes a file that Close() has not closed,
// quietly: that road is taken only while another failure is being reported.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  virtual std::uint64_t Length() = 0;
  // Reads up to buffer.size() bytes at offset; fewer only at the end of file.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) = 0;
  // Writes every byte of data at offset, or throws.
  virtual void WriteAt(std::uint64_t offset, std::span<const std::byte> data) = 0;
  // Makes written data durable before the file is renamed into place.
  virtual void Flush() = 0;
  virtual void Close() = 0;
};

// The child runs without a window of its own, and gets this process's
// environment without the variables named in `unset_environment`.
struct ProcessLaunch {
  std::wstring application;        // full path of the program to run
  std::wstring command_line;       // as the program receives it, program name first
  std::wstring working_directory;  // empty: inherit the current directory
  std::vector<std::wstring> unset_environment;
};

class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  // Waits for the process to end, calling pump at least every 15 ms so the
  // window keeps repainting. Returns the exit code, or nothing when pump
  // returned false (the user asked to stop) while the process still ran.
  virtual std::optional<int> Wait(const std::function<bool()>& pump) = 0;
  // What the process wrote to its standard error (complete after Wait).
  virtual std::wstring ErrorOutput() = 0;
  // Ends the process (used only when a wait must be abandoned), letting it
  // remove its partial output where the system allows: gzip.exe's output
  // vanishes with its handle; on POSIX it is asked to stop before it is forced.
  virtual void Kill() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Copies byte for byte; with replace == false an existing `to` is an error.
  virtual void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) = 0;
  virtual std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) = 0;
  // Creates a file that must not exist yet, opened for writing.
  virtual std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) = 0;
  virtual void RemoveFile(const std::wstring& path) = 0;
  // With replace == false an existing `to` is an error (ErrorKind::AlreadyExists).
  virtual void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) = 0;
  // True when both paths name one existing file (any spelling, hard links).
  virtual bool SameFile(const std::wstring& a, const std::wstring& b) = 0;
  virtual bool FileExists(const std::wstring& path) = 0;
  // The running program's folder: no trailing "\" except at a drive root.
  virtual std::wstring ProgramFolder() = 0;
  // Where gzip may be, in order of preference, whether it is there or not.
  virtual std::vector<std::wstring> GzipLocations() = 0;
  virtual std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) = 0;
};

}  // namespace stavrel
