#include "dialog_filter.h"

#include <algorithm>

namespace stavrel::win {

std::wstring DialogFilter(std::wstring_view bar_separated) {
  std::wstring filter(bar_separated);
  std::ranges::replace(filter, L'|', L'\0');
  if (filter.empty() || filter.back() != L'\0') filter.push_back(L'\0');
  // The list's own terminator; c_str() adds one more, which does no harm.
  filter.push_back(L'\0');
  return filter;
}

}  // namespace stavrel::win
