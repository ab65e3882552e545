#include "usage_rules.h"

#include <algorithm>

#include "console_text.h"
#include "factor_text.h"
#include "state_names.h"

namespace stavrel::cli {
namespace {

std::wstring Quoted(const std::string& word) { return L"'" + TextFromArgument(word) + L"'"; }

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-' && word != "--"; }

// The words CLI11 took for none of its own: an unknown option, or, before
// any command, an unknown command. The option is named first: a mistyped
// option taking a value (--factr 1) leaves its value where a command goes.
void RefuseExtras(const std::vector<std::string>& extras, bool command_given) {
  for (const std::string& word : extras)
    if (IsOption(word)) throw UsageError(L"unknown option " + Quoted(word));
  if (!command_given && !extras.empty())
    throw UsageError(L"unknown command " + Quoted(extras.front()));
}

void RefuseRepeats(const CLI::App& command) {
  for (const CLI::Option* option : command.get_options())
    if (option->nonpositional() && option->get_items_expected_min() > 0 && option->count() > 1)
      throw UsageError(L"option " + Quoted(option->get_name()) + L" given more than once");
}

void CheckFactor(const std::string& factor) {
  const std::wstring text = TextFromArgument(factor);
  const FactorReading reading = ReadWholeFactor(text);
  if (reading.whole) return;
  std::wstring message = L"--factor \"" + text + L"\": not a number";
  if (!reading.read.empty())
    message += L" (only \"" + std::wstring(reading.read) + L"\" of it could be read)";
  throw UsageError(message);
}

void CheckConvert(const CLI::App& command, const CliRequest& request) {
  if (command.get_option("--factor")->count() == 0)
    throw UsageError(L"no factor given (--factor TEXT)");
  if (request.files.empty()) throw UsageError(L"no module given");
  if (!request.output_dir && request.files.size() == 1)
    throw UsageError(L"no destination given after " + Quoted(request.files[0]) +
                     L" (or --output-dir DIR before the modules)");
  if (!request.output_dir && request.files.size() > 2)
    throw UsageError(L"extra operand " + Quoted(request.files[2]) +
                     L" (several modules go with --output-dir DIR)");
  CheckFactor(request.factor);
}

int SlotNumber(const std::string& slot) {
  int value = 0;
  bool digits = !slot.empty();
  for (const char c : slot) {
    digits = digits && c >= '0' && c <= '9';
    if (digits) value = std::min(value * 10 + (c - '0'), kLastSlot + 1);
  }
  if (!digits || value > kLastSlot)
    throw UsageError(L"--slot \"" + TextFromArgument(slot) + L"\": not a slot number from 0 to " +
                     std::to_wstring(kLastSlot));
  return value;
}

}  // namespace

void CheckUsage(const CLI::App& app, const std::vector<CLI::App*>& commands,
                const std::string& slot, CliRequest& request) {
  const auto parsed =
      std::find_if(commands.begin(), commands.end(), [](const CLI::App* c) { return c->parsed(); });
  RefuseExtras(app.remaining(), parsed != commands.end());
  if (parsed == commands.end()) throw UsageError(L"no command given");
  const CLI::App& command = **parsed;
  RefuseExtras(command.remaining(), true);
  RefuseRepeats(command);

  request.job = static_cast<Job>(parsed - commands.begin());
  switch (request.job) {
    case Job::Convert: CheckConvert(command, request); break;
    case Job::Decompress:
      if (request.files.empty()) throw UsageError(L"no state given");
      if (request.name && request.files.size() != 1)
        throw UsageError(L"--name goes with one state only");
      break;
    case Job::Recompress:
      if (request.files.empty()) throw UsageError(L"no .sds file given");
      if (command.get_option("--slot")->count() > 0) request.slot = SlotNumber(slot);
      break;
  }
}

}  // namespace stavrel::cli
