#pragma once
// The file-system and process operations the program's logic needs. Paths are
// Windows paths ("\" separates folders); the POSIX implementation maps them.
// So no name here holds a "\": where the system allows one, such a file can
// not be named at all, and a front end refuses it before anything is done.
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
  // A file made by Platform::CreateNew is kept when it is closed only after
  // this: until then, where the system offers it, the system removes it with
  // its last handle, so a process that dies mid-write leaves nothing behind.
  // Nothing to do for other files, or where the system offers no such thing.
  virtual void Keep() = 0;
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
  // How many bytes the process has written so far, to files and pipes alike;
  // 0 where the system does not say.
  virtual std::uint64_t BytesWritten() = 0;
  // Ends the process (used only when a wait must be abandoned), letting it
  // remove its partial output where the system allows: gzip.exe's output
  // vanishes with its handle; on POSIX it is asked to stop before it is forced.
  virtual void Kill() = 0;
};

// Whether a link is judged by what it points to (as a file to be read is)
// or as itself (as a name to be written to is: a rename replaces a link).
enum class Links { Followed, NotFollowed };

class Platform {
 public:
  virtual ~Platform() = default;

  // Copies byte for byte; with replace == false an existing `to` is an error.
  // A `from` that is not a file (a folder, a pipe, a device) is refused as
  // OpenForReading refuses it.
  virtual void CopyFile(const std::wstring& from, const std::wstring& to, bool replace) = 0;
  // Opens a file (links followed) for reading. Anything else, a folder, a
  // pipe, a device or a socket, is refused without waiting and without
  // reading, with a reason that says what it is.
  virtual std::unique_ptr<OpenFile> OpenForReading(const std::wstring& path) = 0;
  // Creates a file that must not exist yet, opened for writing (see
  // OpenFile::Keep).
  virtual std::unique_ptr<OpenFile> CreateNew(const std::wstring& path) = 0;
  virtual void RemoveFile(const std::wstring& path) = 0;
  // With replace == false anything under `to`, a link included, is an error
  // (ErrorKind::AlreadyExists), and the check is one with the rename: a file
  // that appears there at any moment is never replaced. With replace == true
  // a link under `to` is replaced, never its target; a folder and a
  // read-only file are refused (ErrorKind::AccessDenied); the new file takes
  // the permissions of the file it replaces, where the system has any.
  virtual void RenameFile(const std::wstring& from, const std::wstring& to, bool replace) = 0;
  // True when both paths name one existing file (any spelling, hard links).
  virtual bool SameFile(const std::wstring& a, const std::wstring& b) = 0;
  // True for an existing file that is not a folder; links are followed.
  virtual bool FileExists(const std::wstring& path) = 0;
  // True for an existing folder.
  virtual bool IsFolder(const std::wstring& path, Links links) = 0;
  // True when anything at all answers to the name itself: a file, a folder,
  // or a link, whatever it points to or whether it points anywhere. This is
  // what a new file must not be put over unasked.
  virtual bool NameTaken(const std::wstring& path) = 0;
  // The running program's folder: no trailing "\" except at a drive root.
  virtual std::wstring ProgramFolder() = 0;
  // Where gzip may be, in order of preference, whether it is there or not.
  virtual std::vector<std::wstring> GzipLocations() = 0;
  virtual std::unique_ptr<ChildProcess> StartProcess(const ProcessLaunch& launch) = 0;
};

}  // namespace stavrel
