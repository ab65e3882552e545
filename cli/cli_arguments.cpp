#include "cli_arguments.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "version.h"

namespace stavrel::cli {
namespace {

constexpr const char* kUsage =
    "usage: stavrel-cli convert --factor TEXT [--force] SOURCE DEST\n"
    "       stavrel-cli convert --factor TEXT --output-dir DIR [--force] SOURCE...\n"
    "       stavrel-cli decompress [--name NAME] STATE...\n"
    "       stavrel-cli recompress SDS...\n"
    "Try 'stavrel-cli --help' for more information.\n";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void AddQuiet(CLI::App& command, CliRequest& request) {
  command.add_flag("-q,--quiet", request.quiet, "Print errors and warnings only");
}

// Rules CLI11 cannot say: how many files go with which options.
void CheckFileCounts(const CliRequest& request) {
  if (request.job == Job::Convert && !request.output_dir && request.files.size() != 2)
    throw UsageError("convert: give SOURCE and DEST, or --output-dir DIR and the sources");
  if (request.job == Job::Decompress && request.name && request.files.size() != 1)
    throw UsageError("decompress: --name goes with one state only");
}

struct Commands {
  CLI::App* convert;
  CLI::App* decompress;
};

Commands AddCommands(CLI::App& app, CliRequest& request) {
  CLI::App* convert = app.add_subcommand(
      "convert", "Write a copy of each module with every address shifted by the factor");
  convert
      ->add_option("--factor", request.factor,
                   "The conversion factor as typed in the window: -5, 1E3, &H100, &O17")
      ->required();
  convert
      ->add_option("--output-dir", request.output_dir,
                   "Write each module into DIR under its own name (DIR must exist)")
      ->type_name("DIR");
  convert->add_flag("--force", request.force, "Replace a destination that exists");
  convert->add_option("files", request.files, "SOURCE DEST, or the sources with --output-dir")
      ->required()
      ->type_name("FILE");
  AddQuiet(*convert, request);

  CLI::App* decompress = app.add_subcommand(
      "decompress", "Decompress each save state into an editable .sds file beside it");
  decompress
      ->add_option("--name", request.name,
                   "The default name for the state (one state only); without it each "
                   "state's own file name is used")
      ->type_name("NAME");
  decompress->add_option("states", request.files, "The save states")
      ->required()
      ->type_name("STATE");
  AddQuiet(*decompress, request);

  CLI::App* recompress =
      app.add_subcommand("recompress", "Compress each .sds file into a .000 save state");
  recompress->add_option("files", request.files, "The .sds files")->required()->type_name("SDS");
  AddQuiet(*recompress, request);

  return {convert, decompress};
}

}  // namespace

std::variant<CliRequest, int> ParseArguments(const std::vector<std::string>& arguments) {
  CliRequest request;
  CLI::App app{"Stavrel: converts modules and decompresses or recompresses save states.",
               "stavrel-cli"};
  app.set_version_flag("--version", "stavrel-cli " STAVREL_VERSION_TEXT);
  app.require_subcommand(1, 1);
  app.footer(
      "Exit codes: 0 every file done, 1 a file failed (the others are done) or a usage error,\n"
      "2 done with warnings, 130 stopped by Ctrl+C. Run a command with --help for its options.");

  const Commands commands = AddCommands(app, request);

  std::vector<char*> argv;
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
    request.job = commands.convert->parsed()      ? Job::Convert
                  : commands.decompress->parsed() ? Job::Decompress
                                                  : Job::Recompress;
    CheckFileCounts(request);
  } catch (const CLI::Success& done) {
    // --help and --version
    return app.exit(done, std::cout, std::cerr);
  } catch (const CLI::ParseError& error) {
    std::cerr << "stavrel-cli: " << error.what() << "\n" << kUsage;
    return 1;
  } catch (const UsageError& error) {
    std::cerr << "stavrel-cli: " << error.what() << "\n" << kUsage;
    return 1;
  }
  return request;
}

}  // namespace stavrel::cli
