#pragma once
#include <string>

namespace stavrel::win32 {

// A child's error output as text: UTF-8 when it is valid UTF-8, otherwise the
// ANSI code page (what older console programs write). Trailing line breaks go.
std::wstring DecodeChildOutput(const std::string& bytes);

}  // namespace stavrel::win32
