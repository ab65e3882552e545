#pragma once
// File name rules: which names carry a gzip suffix, what a file is called
// once compressed or decompressed, which names to try for a missing input.
// Paths are UTF-8 on every system.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gz::names {

// The longest suffix -S accepts.
inline constexpr std::size_t kMaxSuffix = 30;

// The gzip suffix `name` ends with ("a.GZ" -> ".GZ"), or empty. Matching
// ignores ASCII case and knows .gz .z .taz .tgz -gz -z _z plus `suffix`.
std::string_view FindSuffix(std::string_view name, std::string_view suffix);

// "a.gz" -> "a", "b.tgz" -> "b.tar"; nothing when `name` has no known suffix.
std::optional<std::string> DecompressedName(std::string_view name, std::string_view suffix);

// The names to try, in order, when decompressing an operand that does not
// exist: the operand with `suffix`, then .gz .z -z .Z; none when the operand
// already ends with a known suffix.
std::vector<std::string> DecompressCandidates(std::string_view operand, std::string_view suffix);

// The last component of a path: what goes into FNAME.
std::string_view BaseName(std::string_view path);

// `path` with its last component replaced by the last component of
// `stored`, as -N does with the name a member carries.
std::string WithStoredName(std::string_view path, std::string_view stored);

// A fresh name for an output being written: ".gzip-" and six random letters
// and digits.
std::string TemporaryName();

}  // namespace gz::names
