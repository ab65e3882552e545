#include "names.h"

#include <algorithm>
#include <array>
#include <random>

namespace gz::names {
namespace {

constexpr std::array<std::string_view, 7> kKnownSuffixes = {".gz", ".z", ".taz", ".tgz", "-gz", "-z", "_z"};

bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\' || c == ':';
#else
  return c == '/';
#endif
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), Lower);
  return result;
}

bool EndsWithSuffix(std::string_view lowered_name, std::string_view candidate) {
  const std::size_t n = lowered_name.size();
  const std::size_t s = candidate.size();
  return n > s && !IsSeparator(lowered_name[n - s - 1]) && lowered_name.ends_with(candidate);
}

}  // namespace

std::string_view FindSuffix(std::string_view name, std::string_view suffix) {
  // The user's suffix is tried first, unless it is the tail of a built-in
  // one (-S z): then "a.gz" must still lose ".gz", not just "z".
  const bool tail_of_builtin = std::any_of(kKnownSuffixes.begin(), kKnownSuffixes.end(), [&](std::string_view known) {
    return suffix.size() < known.size() && known.ends_with(suffix);
  });
  std::vector<std::string> order(kKnownSuffixes.begin(), kKnownSuffixes.end());
  order.insert(tail_of_builtin ? order.end() : order.begin(), Lowered(suffix));

  const std::string lowered_name = Lowered(name);
  for (const std::string& candidate : order) {
    if (EndsWithSuffix(lowered_name, candidate)) return name.substr(name.size() - candidate.size());
  }
  return {};
}

std::optional<std::string> DecompressedName(std::string_view name, std::string_view suffix) {
  const std::string_view found = FindSuffix(name, suffix);
  if (found.empty()) return std::nullopt;
  std::string result(name.substr(0, name.size() - found.size()));
  const std::string lowered_found = Lowered(found);
  if (lowered_found == ".tgz" || lowered_found == ".taz") result += ".tar";
  return result;
}

std::vector<std::string> DecompressCandidates(std::string_view operand, std::string_view suffix) {
  if (!FindSuffix(operand, suffix).empty()) return {};
  std::vector<std::string> names{std::string(operand) + std::string(suffix)};
  for (std::string_view extra : {".gz", ".z", "-z", ".Z"}) {
    if (extra == ".gz" && suffix == ".gz") continue;
    names.push_back(std::string(operand) + std::string(extra));
  }
  return names;
}

std::string_view BaseName(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  return path.substr(start);
}

std::string WithStoredName(std::string_view path, std::string_view stored) {
  const std::string_view base = BaseName(stored);
  if (base.empty()) return std::string(path);
  std::string result(path.substr(0, path.size() - BaseName(path).size()));
  result += base;
  return result;
}

std::string TemporaryName() {
  static std::mt19937 generator{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = ".gzip-";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(generator)];
  return name;
}

}  // namespace gz::names
