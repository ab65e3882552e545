#pragma once
// Text between the program and the console: arguments in, lines out. Paths
// inside the program are Windows paths ("\" between folders); natively they
// are shown the system's way. Each system's half is in win32/ or posix/.
#include <cstdio>
#include <string>

namespace stavrel::cli {

// An argument (UTF-8) as the program's text, and as a full path. Natively a
// full path holding a "\" cannot be named in the program (SystemError).
std::wstring TextFromArgument(const std::string& argument);
std::wstring FullPathFromArgument(const std::string& argument);

// True for a wildcard pattern that matched no file. Windows hands such a
// pattern over as typed, and no file there can hold "*" or "?"; natively the
// shell expands patterns, and both may be part of a name.
bool IsUnmatchedPattern(const std::string& argument);

// True when the argument names an existing folder.
bool IsFolder(const std::string& argument);

// A program path or message as the user reads it on this system.
std::wstring ForDisplay(const std::wstring& text);

// Writes one line to stdout or stderr: UTF-16 to a Windows console, UTF-8
// everywhere else; control characters escaped (see Escaped).
void WriteLine(std::FILE* stream, const std::wstring& line);
// Writes without a line break (the progress bar redraws its own line).
void WriteText(std::FILE* stream, const std::wstring& text);

bool IsTerminal(std::FILE* stream);

}  // namespace stavrel::cli
