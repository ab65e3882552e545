#pragma once
// The little of the file system gzip needs, with one implementation per
// system (posix/file.cpp, win32/file.cpp). Paths are UTF-8 everywhere; every
// failure carries the system's reason as the text GNU gzip would print.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/system_error.h"
#include "base/utf.h"
#include "byte_stream.h"

namespace gz::fs {

struct Timestamp {
  std::int64_t seconds = 0;
  std::int32_t nanoseconds = 0;
};

enum class FileKind { Regular, Directory, Other };

struct FileStatus {
  FileKind kind = FileKind::Other;
  std::uint64_t size = 0;
  Timestamp modified;
  Timestamp accessed;
  unsigned permissions = 0;  // rwx bits for user, group, others; POSIX only
  bool set_user_id = false;
  bool set_group_id = false;
  bool sticky = false;
  std::uint64_t links = 1;
  unsigned owner = 0;
  unsigned group = 0;
};

// The program's one failure of a system call. gzip names the file itself, so
// only the reason counts, and whether the file was missing: then "gzip -d a"
// goes on to look for a.gz.
using stavrel::SystemError;
inline std::string ReasonOf(const SystemError& error) { return stavrel::WideToUtf8(error.Reason()); }
inline bool IsMissing(const SystemError& error) { return error.Kind() == stavrel::ErrorKind::NotFound; }

class NativeFile;  // the open handle, defined by each system's file layer
class Folder;

// Every function below that takes `in` looks its path up inside that folder
// when there is one (a folder -r walks), else as the path it is.

class InputFile final : public ByteSource {
 public:
  // Symbolic links (on Windows junctions too) are refused unless
  // `follow_links` (gzip without -c/-f). Throws SystemError.
  static InputFile Open(const std::string& path, bool follow_links, const Folder* in = nullptr);
  InputFile(InputFile&&) noexcept;
  ~InputFile() override;

  const FileStatus& Status() const { return status_; }
  std::size_t ReadSome(std::span<std::uint8_t> buffer) override;
  // Closes now: an input must be closed before it can be removed everywhere.
  void Close();

 private:
  friend class Folder;
  InputFile(std::unique_ptr<NativeFile> file, FileStatus status);
  std::unique_ptr<NativeFile> file_;
  FileStatus status_;
};

// Which file a handle holds, whatever name led to it: device and file number.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  bool operator==(const FileId&) const = default;
};

// A folder -r walks, held open while it is walked. On POSIX its entries are
// opened, created, renamed and removed through the handle, never through its
// name; on Windows, whose calls take names, the handle keeps anyone from
// renaming it meanwhile. Either way a folder swapped for a link during the
// walk is never followed.
class Folder {
 public:
  // Takes over `opened`, an input that is a folder, named `path` in
  // messages. Throws SystemError.
  Folder(InputFile&& opened, const std::string& path);
  Folder(Folder&&) noexcept;
  ~Folder();

  FileId Id() const { return id_; }
  // The names in it but "." and "..", in the order the system gives them.
  // Throws SystemError.
  std::vector<std::string> Entries();
  // One of its entries as messages name it, and back.
  std::string PathOf(std::string_view name) const { return prefix_ + std::string(name); }
  std::string NameOf(const std::string& path) const { return path.substr(prefix_.size()); }
  NativeFile& Handle() const { return *handle_; }

 private:
  std::unique_ptr<NativeFile> handle_;
  std::string prefix_;
  FileId id_;
};

class StandardInput final : public ByteSource {
 public:
  std::size_t ReadSome(std::span<std::uint8_t> buffer) override;
  // Throws SystemError.
  FileStatus Status() const;
};

class StandardOutput final : public ByteSink {
 public:
  void WriteAll(std::span<const std::uint8_t> bytes) override;
};

// An output file being written: a new file in the folder of its final name,
// which only takes that name once complete. Removed unless committed, also
// when the program is interrupted.
class PendingOutput final : public ByteSink {
 public:
  // Throws SystemError.
  static PendingOutput CreateBeside(const std::string& final_path, const Folder* in = nullptr);
  PendingOutput(PendingOutput&&) noexcept;
  ~PendingOutput() override;

  void WriteAll(std::span<const std::uint8_t> bytes) override;
  // Gives it the input's permissions and access time and `modified`; the
  // reason when the system refused (a warning only). Then flushes it to
  // disk and closes it (throws WriteError).
  std::optional<std::string> CopyMetadata(const FileStatus& like, Timestamp modified);
  void FlushAndClose();
  // Moves it to its final name. Without `replace` an existing file there
  // stays and the result is false. Throws SystemError.
  bool Commit(bool replace);

 private:
  PendingOutput(std::unique_ptr<NativeFile> file, const Folder* in, std::string temporary_path, std::string final_path);
  std::unique_ptr<NativeFile> file_;
  const Folder* in_;
  // As the system calls take them: inside `in_` on POSIX.
  std::string temporary_path_;
  std::string final_path_;
  bool committed_ = false;
};

// True when `path` ends with a folder separator ("/", or "\" on Windows).
bool EndsWithSeparator(std::string_view path);

// True when something (file, folder, link) has this name.
bool NameExists(const std::string& path, const Folder* in = nullptr);
// Throws SystemError.
void RemoveFile(const std::string& path, const Folder* in = nullptr);

enum class StandardStream { Input, Output };
bool IsTerminal(StandardStream stream);

// Writes diagnostics to standard error, UTF-8 unless it is a console.
void WriteErrorText(std::string_view text);

}  // namespace gz::fs
