#pragma once
// The program speaks Windows paths ("\" between folders); the system here
// wants "/" and UTF-8 bytes.
#include <string>

namespace stavrel::posix {

std::string ToPosixPath(const std::wstring& path);
std::wstring FromPosixPath(const std::string& path);

}  // namespace stavrel::posix
