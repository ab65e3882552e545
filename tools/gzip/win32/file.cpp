// The file layer on Windows: wide-character calls on UTF-16 paths.
#include <windows.h>

#include <cstdint>

#include "base/utf.h"
#include "base/win32/long_path.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"
#include "file.h"
#include "names.h"

namespace gz::fs {

namespace win = stavrel::win32;
using stavrel::Utf8ToWide;
using stavrel::WideToUtf8;

// A file the layer opened; the handle owner closes it, and Close() says what
// went wrong when a written file could not be closed.
class NativeFile {
 public:
  explicit NativeFile(HANDLE handle) : handle_(handle) {}

  HANDLE Get() const { return handle_.Get(); }
  bool IsOpen() const { return handle_.Valid(); }
  // Returns the error when closing failed.
  DWORD Close() { return CloseHandle(handle_.Release()) ? ERROR_SUCCESS : GetLastError(); }

 private:
  win::KernelHandle handle_;
};

namespace {

// The common failures read as GNU gzip's (C library) words for them, so that
// messages are the same on every system; the rest in the system's words.
std::string Reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "No such file or directory";
    case ERROR_ACCESS_DENIED: return "Permission denied";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "File exists";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "No space left on device";
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return "Broken pipe";
    case ERROR_CANT_RESOLVE_FILENAME: return "Too many levels of symbolic links";
    default: break;
  }
  return WideToUtf8(win::SystemErrorText(error));
}

SystemError SystemErrorOf(DWORD error) {
  return SystemError(L"", L"", Utf8ToWide(Reason(error)),
                     win::MeansNoSuchFile(error) ? stavrel::ErrorKind::NotFound : stavrel::ErrorKind::Other);
}

// Beyond MAX_PATH the wide calls need the "\\?\" form of the full path.
std::wstring NativePath(const std::string& path) { return win::ExtendedLengthPath(Utf8ToWide(path)); }

// FILETIME counts 100 ns steps from 1601; Timestamp counts from 1970.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;
constexpr std::int64_t kTicksPerSecond = 10000000;

Timestamp TimestampOf(const FILETIME& time) {
  const std::int64_t ticks =
      static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime) - kUnixEpochTicks;
  std::int64_t seconds = ticks / kTicksPerSecond;
  std::int64_t rest = ticks % kTicksPerSecond;
  if (rest < 0) {
    --seconds;
    rest += kTicksPerSecond;
  }
  return {seconds, static_cast<std::int32_t>(rest * 100)};
}

FILETIME FiletimeOf(const Timestamp& time) {
  const std::uint64_t ticks =
      static_cast<std::uint64_t>(time.seconds * kTicksPerSecond + time.nanoseconds / 100 + kUnixEpochTicks);
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

FILETIME FiletimeOf(const LARGE_INTEGER& time) {
  return {static_cast<DWORD>(time.QuadPart), static_cast<DWORD>(time.QuadPart >> 32)};
}

// Throws SystemError; a pipe or console has no file information and reads
// as "other". (GetFileInformationByHandle would also ask for the volume,
// which Wine cannot tell for a redirected standard input.)
FileStatus StatusOf(HANDLE handle) {
  FileStatus status;
  if (GetFileType(handle) != FILE_TYPE_DISK) return status;
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ||
      !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard))
    throw SystemErrorOf(GetLastError());
  status.kind = standard.Directory ? FileKind::Directory : FileKind::Regular;
  status.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  status.modified = TimestampOf(FiletimeOf(basic.LastWriteTime));
  status.accessed = TimestampOf(FiletimeOf(basic.LastAccessTime));
  status.links = standard.NumberOfLinks;
  return status;
}

std::size_t ReadFrom(HANDLE handle, std::span<std::uint8_t> buffer) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return 0;
  DWORD got = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
  if (ReadFile(handle, buffer.data(), wanted, &got, nullptr)) return got;
  const DWORD error = GetLastError();
  // The writing end of a pipe has closed: that is its end of file.
  if (error == ERROR_BROKEN_PIPE) return 0;
  throw ReadError(Reason(error));
}

// Writes all of `bytes`; the error when the system could not.
DWORD WriteTo(HANDLE handle, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    DWORD put = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), wanted, &put, nullptr)) return GetLastError();
    bytes = bytes.subspan(put);
  }
  return ERROR_SUCCESS;
}

// Marks an open file to vanish when its last handle closes, or unmarks it.
// A temporary output carries the mark until it is complete, so that a
// killed gzip leaves nothing behind.
bool SetDeleteOnClose(HANDLE handle, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// The temporary output a console interruption (Ctrl+C, Ctrl+Break, the
// console closing) must take along: the open handle while it is written,
// then its path between closing and taking its final name. The handler runs
// on a thread of its own; the lock keeps it from meeting a temporary output
// half set up or half committed.
SRWLOCK g_pending_lock = SRWLOCK_INIT;
HANDLE g_pending_handle = INVALID_HANDLE_VALUE;
std::wstring g_pending_path;  // empty: none

class PendingLock {
 public:
  PendingLock() { AcquireSRWLockExclusive(&g_pending_lock); }
  ~PendingLock() { ReleaseSRWLockExclusive(&g_pending_lock); }
  PendingLock(const PendingLock&) = delete;
  PendingLock& operator=(const PendingLock&) = delete;
};

BOOL WINAPI RemovePendingOnInterrupt(DWORD) {
  // Never released: the default handler that follows ends the process, and
  // nothing may commit the output meanwhile.
  AcquireSRWLockExclusive(&g_pending_lock);
  if (g_pending_handle != INVALID_HANDLE_VALUE) SetDeleteOnClose(g_pending_handle, true);
  if (!g_pending_path.empty()) DeleteFileW(g_pending_path.c_str());
  return FALSE;
}

void InstallInterruptCleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  SetConsoleCtrlHandler(RemovePendingOnInterrupt, TRUE);
}

// A link is a symbolic link or junction: a name that stands for another
// file. Opened as itself, it shows as one; Wine opens what a Unix link names
// even then, but still marks the name as a reparse point.
enum class Reparse { None, Link, Other };

Reparse ReparseOf(HANDLE opened_as_itself, const std::wstring& native_path) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (GetFileInformationByHandleEx(opened_as_itself, FileAttributeTagInfo, &tag, sizeof tag) &&
      (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return IsReparseTagNameSurrogate(tag.ReparseTag) ? Reparse::Link : Reparse::Other;
  const DWORD attributes = GetFileAttributesW(native_path.c_str());
  const bool marked = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  return marked ? Reparse::Link : Reparse::None;
}

win::KernelHandle OpenForReading(const std::wstring& native_path, DWORD flags) {
  // Backup semantics let a folder open too, so that it can be reported as
  // one; other programs may go on reading and writing the file meanwhile.
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  return win::KernelHandle(CreateFileW(native_path.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                                       flags | FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace

InputFile::InputFile(std::unique_ptr<NativeFile> file, FileStatus status) : file_(std::move(file)), status_(status) {}
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile::~InputFile() = default;

// A walked folder's entries are looked up by their full names: the folders
// on the way are held open and cannot be renamed meanwhile.
InputFile InputFile::Open(const std::string& path, bool follow_links, const Folder*) {
  const std::wstring native = NativePath(path);
  win::KernelHandle handle = OpenForReading(native, follow_links ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  if (!handle.Valid()) throw SystemErrorOf(GetLastError());
  // A link is refused as POSIX refuses one with O_NOFOLLOW; any other kind of
  // reparse point (a file kept elsewhere) is opened again for its contents.
  const Reparse reparse = follow_links ? Reparse::None : ReparseOf(handle.Get(), native);
  if (reparse == Reparse::Link) throw SystemErrorOf(ERROR_CANT_RESOLVE_FILENAME);
  if (reparse == Reparse::Other) handle = OpenForReading(native, 0);
  if (!handle.Valid()) throw SystemErrorOf(GetLastError());
  const FileStatus status = StatusOf(handle.Get());
  return InputFile(std::make_unique<NativeFile>(handle.Release()), status);
}

std::size_t InputFile::ReadSome(std::span<std::uint8_t> buffer) { return ReadFrom(file_->Get(), buffer); }

void InputFile::Close() {
  if (const DWORD error = file_->Close()) throw ReadError(Reason(error));
}

std::size_t StandardInput::ReadSome(std::span<std::uint8_t> buffer) {
  return ReadFrom(GetStdHandle(STD_INPUT_HANDLE), buffer);
}

FileStatus StandardInput::Status() const {
  const HANDLE handle = GetStdHandle(STD_INPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return {};
  return StatusOf(handle);
}

void StandardOutput::WriteAll(std::span<const std::uint8_t> bytes) {
  const DWORD error = WriteTo(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
  // A pipe whose reader has gone (Wine says it is not connected).
  if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED) throw OutputClosed{};
  if (error != ERROR_SUCCESS) throw WriteError(Reason(error));
}

PendingOutput::PendingOutput(std::unique_ptr<NativeFile> file, const Folder* in, std::string temporary_path,
                             std::string final_path)
    : file_(std::move(file)), in_(in), temporary_path_(std::move(temporary_path)), final_path_(std::move(final_path)) {}

PendingOutput::PendingOutput(PendingOutput&& other) noexcept
    : file_(std::move(other.file_)),
      in_(other.in_),
      temporary_path_(std::move(other.temporary_path_)),
      final_path_(std::move(other.final_path_)),
      committed_(other.committed_) {
  other.committed_ = true;
}

PendingOutput::~PendingOutput() {
  if (committed_) return;
  PendingLock lock;
  g_pending_handle = INVALID_HANDLE_VALUE;
  g_pending_path.clear();
  file_.reset();
  DeleteFileW(NativePath(temporary_path_).c_str());
}

PendingOutput PendingOutput::CreateBeside(const std::string& final_path, const Folder* in) {
  InstallInterruptCleanup();
  PendingLock lock;
  const std::string folder = final_path.substr(0, final_path.size() - names::BaseName(final_path).size());
  for (int attempt = 1;; ++attempt) {
    const std::string temporary = folder + names::TemporaryName();
    auto file = std::make_unique<NativeFile>(CreateFileW(NativePath(temporary).c_str(), GENERIC_WRITE | DELETE, 0,
                                                         nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file->IsOpen()) {
      const DWORD error = GetLastError();
      if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && attempt < 100) continue;
      throw SystemErrorOf(error);
    }
    // Where the mark cannot be set, the destructor's removal still covers
    // every ending but a killed process.
    SetDeleteOnClose(file->Get(), true);
    g_pending_handle = file->Get();
    return PendingOutput(std::move(file), in, temporary, final_path);
  }
}

void PendingOutput::WriteAll(std::span<const std::uint8_t> bytes) {
  if (const DWORD error = WriteTo(file_->Get(), bytes)) throw WriteError(Reason(error));
}

std::optional<std::string> PendingOutput::CopyMetadata(const FileStatus& like, Timestamp modified) {
  // Windows has no permission bits to copy; the times are what matter.
  const FILETIME accessed = FiletimeOf(like.accessed);
  const FILETIME written = FiletimeOf(modified);
  if (!SetFileTime(file_->Get(), nullptr, &accessed, &written)) return Reason(GetLastError());
  return std::nullopt;
}

void PendingOutput::FlushAndClose() {
  if (!FlushFileBuffers(file_->Get())) throw WriteError(Reason(GetLastError()));
  PendingLock lock;
  if (!SetDeleteOnClose(file_->Get(), false)) {
    const DWORD error = GetLastError();
    if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED) throw WriteError(Reason(error));
  }
  // From here an interruption removes it by name.
  g_pending_path = NativePath(temporary_path_);
  g_pending_handle = INVALID_HANDLE_VALUE;
  if (const DWORD error = file_->Close()) throw WriteError(Reason(error));
}

bool PendingOutput::Commit(bool replace) {
  PendingLock lock;
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!MoveFileExW(NativePath(temporary_path_).c_str(), NativePath(final_path_).c_str(), flags)) {
    const DWORD error = GetLastError();
    if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) return false;
    throw SystemErrorOf(error);
  }
  g_pending_path.clear();
  committed_ = true;
  return true;
}

// Held without FILE_SHARE_DELETE, the folder cannot be renamed while it is
// walked; nor, on Windows' own file systems, can a folder above it.
Folder::Folder(InputFile&& opened, const std::string& path) : prefix_(EndsWithSeparator(path) ? path : path + "/") {
  handle_ = std::make_unique<NativeFile>(
      ReOpenFile(opened.file_->Get(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_BACKUP_SEMANTICS));
  if (!handle_->IsOpen()) throw SystemErrorOf(GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle_->Get(), &info)) throw SystemErrorOf(GetLastError());
  id_ = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}
Folder::Folder(Folder&&) noexcept = default;
Folder::~Folder() = default;

std::vector<std::string> Folder::Entries() {
  WIN32_FIND_DATAW found{};
  const win::FindHandle search(FindFirstFileExW(NativePath(prefix_ + "*").c_str(), FindExInfoBasic, &found,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search.Valid()) {
    // A drive's root has no "." or "..": empty, it finds nothing at all.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    throw SystemErrorOf(GetLastError());
  }
  std::vector<std::string> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") entries.push_back(WideToUtf8(found.cFileName));
  } while (FindNextFileW(search.Get(), &found));
  if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) throw SystemErrorOf(error);
  return entries;
}

bool EndsWithSeparator(std::string_view path) { return path.ends_with('/') || path.ends_with('\\'); }

bool NameExists(const std::string& path, const Folder*) {
  if (GetFileAttributesW(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return !win::MeansNoSuchFile(error) && error != ERROR_INVALID_NAME;
}

void RemoveFile(const std::string& path, const Folder*) {
  const std::wstring native = NativePath(path);
  if (DeleteFileW(native.c_str())) return;
  DWORD error = GetLastError();
  // A read-only file can be removed once it is no longer read-only, as
  // unlink would on POSIX given a writable folder.
  const DWORD attributes = GetFileAttributesW(native.c_str());
  if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      SetFileAttributesW(native.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
    if (DeleteFileW(native.c_str())) return;
    error = GetLastError();
    SetFileAttributesW(native.c_str(), attributes);
  }
  throw SystemErrorOf(error);
}

bool IsTerminal(StandardStream stream) {
  const HANDLE handle = GetStdHandle(stream == StandardStream::Input ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  // NUL is a character device too, but not a console.
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_CHAR &&
         GetConsoleMode(handle, &mode);
}

void WriteErrorText(std::string_view text) {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD mode = 0;
  if (GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode)) {
    const std::wstring wide = Utf8ToWide(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  // Failing, there is nowhere left to say so.
  WriteTo(handle, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace gz::fs
