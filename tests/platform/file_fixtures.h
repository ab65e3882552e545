#pragma once
// Setting up and checking files for the tests with the standard library, so
// that the platform under test never checks its own work. Natively the text
// conversions are the platform's (their own tests pin them down): the
// standard library's depend on the locale.
#include <filesystem>
#include <string>
#include <string_view>

#include "test_files.h"

// The platform's path ("\" between folders) as the standard library takes it
// here: "/" on Linux, the "\\?\" prefix on Windows when the path is long.
using stavrel::test::NativePath;
// A native path as the platform takes it (on Linux: "/" kept, text decoded).
std::wstring PlatformPath(const std::filesystem::path& native);
std::string Utf8Of(const std::wstring& text);

void WriteBytes(const std::wstring& path, std::string_view bytes);
// Fails the test (and returns "") when the file cannot be read.
std::string ReadBytes(const std::wstring& path);
using stavrel::test::Exists;
void MakeFolder(const std::wstring& path);
// False where the file system has no hard links.
bool TryMakeHardLink(const std::wstring& existing, const std::wstring& link);
// A symbolic link holding `target` as it is (a name in the link's folder);
// false where this process may not make one.
bool TryMakeSymbolicLink(const std::wstring& target, const std::wstring& link, bool to_folder = false);
// A FIFO; false where the system has none in its file names.
bool TryMakeNamedPipe(const std::wstring& path);
void SetReadOnly(const std::wstring& path, bool read_only);
// Whether this process is kept from writing to a read-only file in folder:
// root is not on Linux, nor under Wine run as root.
bool ReadOnlyIsEnforced(const std::wstring& folder);
void CopyProgram(const std::wstring& from, const std::wstring& to);

// Bytes no text conversion leaves alone: NUL, CR LF, ^Z, high bytes.
std::string AwkwardBytes(std::size_t size);
