#include "cli_arguments.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "argument_order.h"
#include "console_text.h"
#include "report_line.h"
#include "usage_rules.h"

#include "version.h"

namespace stavrel::cli {
namespace {

void AddCommonFlags(CLI::App& command, CliRequest& request) {
  command.add_flag("-n,--dry-run", request.dry_run,
                   "Print what would be done, and every refusal, without touching a file");
  command.add_flag("-q,--quiet", request.quiet, "Print errors and warnings only");
}

// An option given twice is a mistake to name, not a choice to make: the
// last one is kept only until CheckUsage sees the count.
template <typename Value>
CLI::Option* AddValue(CLI::App& command, const std::string& name, Value& value,
                      const std::string& help) {
  return command.add_option(name, value, help)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

CLI::App* AddConvert(CLI::App& app, CliRequest& request) {
  CLI::App* convert = app.add_subcommand(
      "convert", "Write a copy of each module with every address shifted by the factor");
  AddValue(*convert, "--factor", request.factor,
           "The conversion factor: -5, 1E3, &H100, 0x100, -&H10, &O17; all of it must be a number");
  AddValue(*convert, "--output-dir", request.output_dir,
           "Write each module into DIR under its own name (DIR must exist)")
      ->type_name("DIR");
  convert->add_flag("-f,--force", request.force, "Replace a destination that exists");
  convert->add_option("files", request.files, "SOURCE DEST, or the sources with --output-dir")
      ->type_name("FILE");
  AddCommonFlags(*convert, request);
  return convert;
}

CLI::App* AddDecompress(CLI::App& app, CliRequest& request) {
  CLI::App* decompress = app.add_subcommand(
      "decompress", "Decompress each save state into an editable .sds file beside it");
  AddValue(*decompress, "--name", request.name,
           "The default name for the state (one state only); without it each "
           "state's own file name is used")
      ->type_name("NAME");
  decompress->add_flag("-k,--keep", request.keep, "Keep the state beside the .sds file");
  decompress->add_option("states", request.files, "The save states")->type_name("STATE");
  AddCommonFlags(*decompress, request);
  return decompress;
}

CLI::App* AddRecompress(CLI::App& app, CliRequest& request, std::string& slot) {
  CLI::App* recompress =
      app.add_subcommand("recompress", "Compress each .sds file into a .000 save state");
  AddValue(*recompress, "--slot", slot, "Name the state .00N for slot N, 0 to 999 (default 0)")
      ->type_name("N");
  recompress->add_flag("-k,--keep", request.keep, "Keep the .sds file beside the state");
  recompress->add_flag("-f,--force", request.force, "Compress a file that is gzip data already");
  recompress->add_option("files", request.files, "The .sds files")->type_name("SDS");
  AddCommonFlags(*recompress, request);
  return recompress;
}

// One line saying what is wrong, and where to read how it goes.
int UsageFailure(const std::wstring& message, const std::string& command) {
  WriteLine(stderr, std::wstring(kProgramName) + L": " + message);
  const std::string help = command.empty() ? "stavrel-cli --help"
                                           : "stavrel-cli " + command + " --help";
  WriteLine(stderr, L"Try '" + TextFromArgument(help) + L"'.");
  return 1;
}

}  // namespace

std::variant<CliRequest, int> ParseArguments(const std::vector<std::string>& arguments) {
  CliRequest request;
  std::string slot;
  CLI::App app{"Stavrel: converts modules and decompresses or recompresses save states.",
               "stavrel-cli"};
  app.set_version_flag("-V,--version", "stavrel-cli " STAVREL_VERSION_TEXT);
  app.require_subcommand(0, 1);
  app.footer(
      "Exit codes: 0 every file done, 1 a file failed (the others are done) or a usage error,\n"
      "2 done with warnings, 130 stopped by Ctrl+C. Run a command with --help for its options.");
  // In the order of Job.
  const std::vector<CLI::App*> commands{AddConvert(app, request), AddDecompress(app, request),
                                        AddRecompress(app, request, slot)};
  // Unknown words are collected to be named, rather than refused in CLI11's words.
  app.allow_extras();
  for (CLI::App* command : commands) command->allow_extras();

  const ArgumentOrder order = CommandFirst(arguments, commands);
  std::vector<std::string> copies = order.arguments;
  std::vector<char*> argv;
  for (std::string& argument : copies) argv.push_back(argument.data());
  try {
    if (!order.value_missing.empty())
      throw UsageError(L"option '" + TextFromArgument(order.value_missing) + L"' needs a value");
    app.parse(static_cast<int>(argv.size()), argv.data());
    CheckUsage(app, commands, slot, request);
  } catch (const CLI::Success& done) {
    // --help and --version
    return app.exit(done, std::cout, std::cerr);
  } catch (const CLI::ParseError& error) {
    return UsageFailure(TextFromArgument(error.what()), order.command);
  } catch (const UsageError& error) {
    return UsageFailure(error.Message(), order.command);
  }
  return request;
}

}  // namespace stavrel::cli
