#pragma once
// What the command line asks for, once parsed: arguments still as typed
// (UTF-8), so that messages can name files the way the user did.
#include <optional>
#include <string>
#include <vector>

namespace stavrel::cli {

enum class Job { Convert, Decompress, Recompress };

struct CliRequest {
  Job job = Job::Convert;
  std::vector<std::string> files;  // convert without an output folder: SOURCE DEST
  std::string factor;              // convert: the text, read as the window reads it
  std::optional<std::string> output_dir;
  bool force = false;               // convert: replace an existing destination
  std::optional<std::string> name;  // decompress: the state's default name
  bool quiet = false;
};

}  // namespace stavrel::cli
