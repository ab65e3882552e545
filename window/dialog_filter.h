#pragma once
// File-dialog filters are written as "Description|pattern|..." text; the
// dialog wants each piece ended by a NUL and the whole list by another.
#include <string>
#include <string_view>

namespace stavrel::win {

std::wstring DialogFilter(std::wstring_view bar_separated);

}  // namespace stavrel::win
