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
  std::string factor;              // convert: the text, read whole as a script writes it
  std::optional<std::string> output_dir;
  // convert: replace an existing destination; recompress: compress gzip data
  bool force = false;
  std::optional<std::string> name;  // decompress: the state's default name
  bool keep = false;                // decompress, recompress: the input stays
  int slot = 0;                     // recompress: the state's extension, 000 to 999
  bool dry_run = false;             // say what would be done, touch nothing
  bool quiet = false;
};

}  // namespace stavrel::cli
