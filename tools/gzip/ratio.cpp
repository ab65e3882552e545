#include "ratio.h"

#include <cstdio>

namespace gz {

std::string RatioText(std::int64_t saved, std::int64_t total) {
  char text[32];
  const double percent = total == 0 ? 0.0 : 100.0 * static_cast<double>(saved) / static_cast<double>(total);
  std::snprintf(text, sizeof text, "%5.1f%%", percent);
  return text;
}

}  // namespace gz
