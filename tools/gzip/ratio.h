#pragma once
// The space saving -v shows, "%5.1f%%" as GNU gzip 1.12 prints it.
#include <cstdint>
#include <string>

namespace gz {

std::string RatioText(std::int64_t saved, std::int64_t total);

}  // namespace gz
