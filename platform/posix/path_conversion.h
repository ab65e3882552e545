#pragma once
// The program speaks Windows paths ("\" between folders); the system here
// wants "/" and UTF-8 bytes.
#include <string>
#include <string_view>

namespace stavrel::posix {

// Why a file whose name holds a "\" cannot be used, in the user's words.
inline constexpr wchar_t kBackslashInName[] =
    L"its full name holds a backslash, which Stavrel takes for a folder separator";

std::string ToPosixPath(const std::wstring& path);
// False when the path holds a "\": the program would take it for a folder
// separator and so name another file.
bool CanBeNamed(std::string_view path);
// Throws SystemError (operation `operation`) for a path that cannot be named.
std::wstring FromPosixPath(const std::string& path, const wchar_t* operation = L"open");

}  // namespace stavrel::posix
