#pragma once
#include <string>
#include <string_view>

namespace stavrel {

// A child's error output as text: UTF-8 when it is valid UTF-8, otherwise the
// code page older console programs write. Trailing line breaks go.
std::wstring DecodeChildOutput(std::string_view bytes);

}  // namespace stavrel
