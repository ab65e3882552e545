#pragma once
// Options may stand before the command as well as after it, as console
// users write them ("stavrel-cli -q convert ..."). CLI11 reads a command's
// options after the command only, so they are moved there first.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace stavrel::cli {

struct ArgumentOrder {
  std::vector<std::string> arguments;  // the program's name, its own options, the command, the rest
  std::string command{};               // the command word; empty when there is none
  std::string value_missing{};         // an option that ends the line without its value
};

// The program's own options (--help, --version) stay before the command.
// Nothing after "--" is looked at: those are file names.
ArgumentOrder CommandFirst(const std::vector<std::string>& arguments,
                           const std::vector<CLI::App*>& commands);

}  // namespace stavrel::cli
