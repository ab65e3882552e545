#include "argument_order.h"

namespace stavrel::cli {
namespace {

bool IsCommand(const std::string& word, const std::vector<CLI::App*>& commands) {
  for (const CLI::App* command : commands)
    if (command->get_name() == word) return true;
  return false;
}

// "--factor TEXT", not "--factor=TEXT": the next argument is the value.
bool TakesValue(const std::string& word, const std::vector<CLI::App*>& commands) {
  if (word.size() < 2 || word[0] != '-' || word.find('=') != std::string::npos) return false;
  for (const CLI::App* command : commands)
    for (const CLI::Option* option : command->get_options())
      if (option->nonpositional() && option->get_items_expected_min() > 0 &&
          option->check_name(word))
        return true;
  return false;
}

bool IsProgramOption(const std::string& word) {
  return word == "-h" || word == "--help" || word == "-V" || word == "--version";
}

}  // namespace

ArgumentOrder CommandFirst(const std::vector<std::string>& arguments,
                           const std::vector<CLI::App*>& commands) {
  ArgumentOrder order{arguments};
  std::size_t command_at = 0;
  for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
    if (command_at == 0 && IsCommand(arguments[i], commands)) {
      command_at = i;
      order.command = arguments[i];
    } else if (TakesValue(arguments[i], commands)) {
      if (i + 1 == arguments.size()) order.value_missing = arguments[i];
      ++i;
    }
  }
  if (command_at <= 1) return order;

  std::vector<std::string> before{arguments[0]};
  std::vector<std::string> moved;
  for (std::size_t i = 1; i < command_at; ++i) {
    const bool with_value = TakesValue(arguments[i], commands) && i + 1 < command_at;
    std::vector<std::string>& into = IsProgramOption(arguments[i]) ? before : moved;
    into.push_back(arguments[i]);
    if (with_value) into.push_back(arguments[++i]);
  }
  before.push_back(arguments[command_at]);
  before.insert(before.end(), moved.begin(), moved.end());
  before.insert(before.end(), arguments.begin() + static_cast<std::ptrdiff_t>(command_at) + 1,
                arguments.end());
  order.arguments = std::move(before);
  return order;
}

}  // namespace stavrel::cli
