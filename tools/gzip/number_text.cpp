#include "number_text.h"

#include <cstdio>

namespace gz {

std::string RatioText(std::uint64_t compressed, std::uint64_t uncompressed, std::uint64_t header_bytes) {
  const auto total = static_cast<std::int64_t>(uncompressed);
  const auto saved = total - (static_cast<std::int64_t>(compressed) - static_cast<std::int64_t>(header_bytes));
  const double percent = total == 0 ? 0.0 : 100.0 * static_cast<double>(saved) / static_cast<double>(total);
  char text[32];
  std::snprintf(text, sizeof text, "%5.1f%%", percent);
  return text;
}

std::string HexText(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*lx", digits, static_cast<unsigned long>(value));
  return text;
}

}  // namespace gz
