#include "win32_platform.h"

#include <windows.h>
// windows.h would rename Platform::CopyFile to CopyFileW in this file only.
#undef CopyFile

#include <optional>

#include "base/win32/long_path.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/system_error_text.h"
#include "program_folder.h"
#include "state_names.h"
#include "win32_child_process.h"
#include "win32_open_file.h"

namespace stavrel {

using win32::ExtendedLengthPath;
using win32::KernelHandle;
using win32::LastError;
using win32::Win32Error;

namespace {

// Whether anything, file or folder, answers to the name.
bool AnythingExists(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  return GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CanOpenForReading(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  KernelHandle file(CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  return file.Valid();
}

// A copy or rename fails with one code for two paths: name the one at fault.
// Only a missing source is blamed on the source; everything else on the
// target, which is the file the user chose to overwrite.
const std::wstring& PathAtFault(DWORD code, const std::wstring& from, const std::wstring& to) {
  if (win32::KindOfError(code) == ErrorKind::NotFound) return AnythingExists(from) ? to : from;
  return to;
}

// Volume serial number and file index, which together name one file. Empty
// when there is no such file.
std::optional<BY_HANDLE_FILE_INFORMATION> FileIdentity(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  // No access rights asked for, so files that others hold open without
  // sharing still answer; the flag lets folders answer too.
  KernelHandle file(CreateFileW(native.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) {
    const DWORD code = GetLastError();
    if (win32::MeansNoSuchFile(code)) return std::nullopt;
    throw Win32Error(L"open", path, code);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info)) throw LastError(L"open", path);
  return info;
}

// A console, a printer port or a pipe opens like a file, but reading from
// it may wait for ever: only files on a disk are read.
void RefuseUnlessOnDisk(HANDLE file, const std::wstring& path, const wchar_t* operation) {
  const DWORD type = GetFileType(file);
  if (type == FILE_TYPE_DISK) return;
  if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) throw LastError(operation, path);
  throw SystemError(operation, path, L"It is a device or a pipe, not a file on a disk.");
}

void RefuseDevice(const std::wstring& path, const wchar_t* operation) {
  const std::wstring native = ExtendedLengthPath(path);
  // Asks for no access, so a file others hold open still answers; the
  // copy that follows says what is wrong with any other file.
  KernelHandle file(CreateFileW(native.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (file.Valid()) RefuseUnlessOnDisk(file.Get(), path, operation);
}

// Marks a new file for the system to remove when its last handle closes,
// the process dying included; Win32OpenFile::Keep takes the mark off. False
// where the file system offers no such thing.
bool MarkForRemovalOnClose(KernelHandle& file, const std::wstring& path) {
  FILE_DISPOSITION_INFO remove{};
  remove.DeleteFile = TRUE;
  if (SetFileInformationByHandle(file.Get(), FileDispositionInfo, &remove, sizeof remove))
    return true;
  const DWORD code = GetLastError();
  if (code == ERROR_INVALID_PARAMETER || code == ERROR_INVALID_FUNCTION ||
      code == ERROR_NOT_SUPPORTED)
    return false;
  // The file was made: it must not outlive this failure, or else be named.
  file.Reset();
  SystemError error = Win32Error(L"create", path, code);
  if (DeleteFileW(ExtendedLengthPath(path).c_str())) throw error;
  throw SystemError(L"create", path, error.Reason() + L" The new file remains: delete it by hand.",
                    error.Kind());
}

// The attributes of what the name itself is (a link is not followed);
// nothing when there is no such file.
std::optional<DWORD> AttributesOf(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  const DWORD attributes = GetFileAttributesW(native.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return attributes;
  const DWORD code = GetLastError();
  if (win32::MeansNoSuchFile(code)) return std::nullopt;
  throw Win32Error(L"open", path, code);
}

}  // namespace

Win32Platform::Win32Platform(std::wstring program_folder_override)
    : program_folder_override_(std::move(program_folder_override)) {}

void Win32Platform::CopyFile(const std::wstring& from, const std::wstring& to, bool replace) {
  RefuseDevice(from, L"copy");
  const std::wstring native_from = ExtendedLengthPath(from);
  const std::wstring native_to = ExtendedLengthPath(to);
  if (CopyFileW(native_from.c_str(), native_to.c_str(), !replace)) return;
  const DWORD code = GetLastError();
  if (win32::KindOfError(code) == ErrorKind::NotFound) {
    throw Win32Error(L"copy", PathAtFault(code, from, to), code);
  }
  // A source locked by another program fails the same way as a read-only target.
  throw Win32Error(L"copy", CanOpenForReading(from) ? to : from, code);
}

std::unique_ptr<OpenFile> Win32Platform::OpenForReading(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  KernelHandle file(CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw LastError(L"open", path);
  RefuseUnlessOnDisk(file.Get(), path, L"open");
  return std::make_unique<win32::platform::Win32OpenFile>(std::move(file), path);
}

std::unique_ptr<OpenFile> Win32Platform::CreateNew(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  KernelHandle file(CreateFileW(native.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw LastError(L"create", path);
  const bool removed_unless_kept = MarkForRemovalOnClose(file, path);
  return std::make_unique<win32::platform::Win32OpenFile>(std::move(file), path,
                                                          removed_unless_kept);
}

void Win32Platform::RemoveFile(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  if (!DeleteFileW(native.c_str())) throw LastError(L"delete", path);
}

void Win32Platform::RenameFile(const std::wstring& from, const std::wstring& to, bool replace) {
  // No MOVEFILE_COPY_ALLOWED: a rename that cannot be atomic should fail.
  const std::wstring native_from = ExtendedLengthPath(from);
  const std::wstring native_to = ExtendedLengthPath(to);
  // Windows refuses to replace a read-only file; Wine does not. The user
  // marked it so it would not change: refuse everywhere.
  if (replace) {
    const DWORD attributes = GetFileAttributesW(native_to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      throw Win32Error(L"rename", to, ERROR_ACCESS_DENIED);
  }
  if (MoveFileExW(native_from.c_str(), native_to.c_str(),
                  replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
    return;
  }
  const DWORD code = GetLastError();
  throw Win32Error(L"rename", PathAtFault(code, from, to), code);
}

bool Win32Platform::SameFile(const std::wstring& a, const std::wstring& b) {
  const auto first = FileIdentity(a);
  if (!first) return false;
  const auto second = FileIdentity(b);
  if (!second) return false;
  return first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
         first->nFileIndexHigh == second->nFileIndexHigh &&
         first->nFileIndexLow == second->nFileIndexLow;
}

bool Win32Platform::FileExists(const std::wstring& path) {
  const std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Platform::IsFolder(const std::wstring& path, Links links) {
  const std::optional<DWORD> attributes = AttributesOf(path);
  // A link to a folder is a folder-like reparse point.
  if (!attributes || (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  return links == Links::Followed || (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool Win32Platform::NameTaken(const std::wstring& path) {
  const std::wstring native = ExtendedLengthPath(path);
  // A link answers for itself here, not for what it points to.
  if (GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD code = GetLastError();
  if (win32::MeansNoSuchFile(code)) return false;
  throw Win32Error(L"open", path, code);
}

std::wstring Win32Platform::ProgramFolder() {
  if (program_folder_override_) return *program_folder_override_;
  return win32::platform::FolderOfProgram(win32::platform::RunningProgramPath());
}

std::vector<std::wstring> Win32Platform::GzipLocations() { return {GzipProgram(ProgramFolder())}; }

std::unique_ptr<ChildProcess> Win32Platform::StartProcess(const ProcessLaunch& launch) {
  return win32::platform::StartChildProcess(launch);
}

}  // namespace stavrel
