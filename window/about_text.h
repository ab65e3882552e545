#pragma once
// The text of the About box.
#include <string>

namespace stavrel::win {

inline constexpr const wchar_t* kAboutTitle = L"About Stavrel";

// Ten lines joined by CR LF: credit, thanks, where to find more save-state
// editors, and how to reach us.
std::wstring AboutText();

}  // namespace stavrel::win
