#include "module_converter.h"

#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "command_run.h"
#include "factor_text.h"
#include "module_format.h"
#include "pending_output.h"

namespace stavrel {
namespace {

using namespace module_format;
using Clock = std::chrono::steady_clock;

// The user closed the window during the run.
struct ConversionStopped {};

struct AddressOverflow {
  std::uint64_t variable;  // counted from 1
  std::int32_t value;
};

// Shifts the address of every whole record in the chunk. `first_variable`
// is the number of the chunk's first record, counted from 1.
void ShiftChunk(std::byte* chunk, std::size_t records, std::int32_t factor,
                std::uint64_t first_variable) {
  for (std::size_t r = 0; r < records; ++r) {
    std::byte* record = chunk + r * kRecordSize;
    const std::int32_t value = ReadAddress(record);
    // Two 32-bit values always add up within 64 bits.
    const std::int64_t sum = std::int64_t{value} + factor;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max())
      throw AddressOverflow{first_variable + r, value};
    WriteAddress(record, static_cast<std::int32_t>(sum));
  }
}

const std::wstring kNothingWritten = L"Nothing was written.";

CommandFailure Refused(std::wstring summary, std::wstring file, std::wstring outcome) {
  return CommandFailure(
      {Severity::Error, std::move(summary), std::move(file), L"", {std::move(outcome)}});
}

// A temporary that could not be made is told about as the destination, whose
// name the user knows, unless a file stays behind under the temporary name.
SystemError AboutDestination(const SystemError& error, Platform& platform,
                             const std::wstring& destination) {
  bool stays = true;
  try {
    stays = platform.NameTaken(error.Path());
  } catch (const SystemError&) {
    // Unknown: keep the name that may still be there.
  }
  if (stays) return error;
  return SystemError(error.Operation(), destination, error.Reason(), error.Kind());
}

class Conversion {
 public:
  Conversion(const ConvertPlan& plan, Host& host, Platform& platform, const ConverterPacing& pacing)
      : plan_(plan), host_(host), platform_(platform), pacing_(pacing) {}

  ConvertResult Run();

 private:
  void Stream(OpenFile& from, OpenFile& to, std::uint64_t length, std::uint64_t variables);
  void ShowProgress(std::uint64_t variable);
  // Removes the output of a conversion that failed, then throws the failure
  // in words, or CommandStopped when the user stopped the run and everything
  // was cleaned up.
  [[noreturn]] void DiscardAndDescribe(PendingOutput& output);

  const ConvertPlan& plan_;
  Host& host_;
  Platform& platform_;
  const ConverterPacing& pacing_;
  Clock::time_point last_pump_ = Clock::now();
};

std::optional<std::int32_t> FactorOf(const ConvertRequest& request) {
  if (!request.whole_factor) return ReadFactor(request.factor_text);
  const FactorReading reading = ReadWholeFactor(request.factor_text);
  if (!reading.whole)
    throw Refused(L"The conversion factor \"" + request.factor_text + L"\" is not a number" +
                      (reading.read.empty() ? L"."
                                            : L": only \"" + std::wstring(reading.read) +
                                                  L"\" of it could be read."),
                  L"", kNothingWritten);
  return reading.factor;
}

void Conversion::ShowProgress(std::uint64_t variable) {
  // The first two records never move the bar.
  if (variable >= 3) host_.SetProgressValue(static_cast<double>(variable));
  if (!host_.ProcessPendingEvents()) throw ConversionStopped{};
  last_pump_ = Clock::now();
}

void Conversion::Stream(OpenFile& from, OpenFile& to, std::uint64_t length,
                        std::uint64_t variables) {
  // A module smaller than a chunk is read whole, into a buffer of its size:
  // a fresh large block costs more than reading a small module.
  const std::size_t chunk_size = static_cast<std::size_t>(
      std::min<std::uint64_t>(pacing_.records_per_chunk * kRecordSize, length));
  const auto buffer = std::make_unique_for_overwrite<std::byte[]>(chunk_size);
  const std::span<std::byte> chunk(buffer.get(), chunk_size);
  std::uint64_t offset = 0;
  std::uint64_t done = 0;  // records shifted so far
  while (offset < length) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), length - offset));
    const std::size_t got = from.ReadAt(offset, {chunk.data(), want});
    if (got != want)
      throw SystemError(L"read", L"", L"the module became shorter while it was being read");
    const std::uint64_t records = std::min<std::uint64_t>(variables - done, want / kRecordSize);
    ShiftChunk(chunk.data(), static_cast<std::size_t>(records), plan_.factor, done + 1);
    to.WriteAt(offset, {chunk.data(), want});
    offset += want;
    done += records;
    if (Clock::now() - last_pump_ >= pacing_.pump_interval) ShowProgress(done);
  }
}

void Conversion::DiscardAndDescribe(PendingOutput& output) {
  const std::wstring temporary = output.TemporaryPath();
  std::vector<std::wstring> left;
  if (std::wstring sentence = output.Discard(); !sentence.empty())
    left.push_back(std::move(sentence));
  const auto failure = [&](CommandReport report) {
    report.outcome = {L"Nothing was written: " + plan_.destination + L" is as it was before."};
    report.left_behind = left;
    return CommandFailure(std::move(report));
  };
  try {
    throw;
  } catch (const SystemError& error) {
    // The temporary name means nothing to the user: name the destination.
    std::wstring where = error.Path().empty() ? plan_.source : error.Path();
    if (where == temporary) where = plan_.destination;
    const SystemError located(error.Operation(), where, error.Reason(), error.Kind());
    throw failure(SystemFailure(
        L"Could not " + error.Operation() + L" while converting the module.", located, L""));
  } catch (const AddressOverflow& overflow) {
    throw failure({Severity::Error,
                   L"Variable " + std::to_wstring(overflow.variable) + L" holds the address " +
                       std::to_wstring(overflow.value) + L"; adding the factor " +
                       std::to_wstring(plan_.factor) +
                       L" goes beyond the 32-bit range (-2147483648 to 2147483647).",
                   plan_.source});
  } catch (const ConversionStopped&) {
    // The user stopped it: say so only if something could not be cleaned up.
    if (left.empty()) throw CommandStopped();
    throw CommandFailure(
        {Severity::Error, L"The conversion was stopped.", L"", L"", {}, L"", left});
  }
}

std::unique_ptr<OpenFile> OpenSource(const ConvertPlan& plan, Platform& platform) {
  try {
    return platform.OpenForReading(plan.source);
  } catch (const SystemError& error) {
    throw CommandFailure(
        SystemFailure(L"Could not open the module to read.", error, kNothingWritten));
  }
}

ConvertResult Conversion::Run() {
  std::unique_ptr<OpenFile> from = OpenSource(plan_, platform_);

  std::unique_ptr<PendingOutput> output;
  try {
    output = std::make_unique<PendingOutput>(platform_, plan_.destination, plan_.temporary,
                                             plan_.replace, plan_.replaces_a_file);
  } catch (const SystemError& error) {
    throw CommandFailure(SystemFailure(L"Could not create the file to write to.",
                                       AboutDestination(error, platform_, plan_.destination),
                                       kNothingWritten));
  }

  ConvertResult result{0, false, plan_.destination};
  try {
    const std::uint64_t length = from->Length();
    result.variables = length / kRecordSize;
    host_.ShowVariableCount(result.variables);
    // Too few variables: the module is only copied, unshifted.
    result.converted = result.variables >= kMinimumVariables;
    const double progress_max = static_cast<double>(result.variables) + kProgressSlack;
    if (result.converted) host_.SetProgressMax(progress_max);
    Stream(*from, output->File(), length, result.converted ? result.variables : 0);
    auto source_file = std::move(from);
    source_file->Close();
    output->Commit();
    if (result.converted) host_.SetProgressValue(progress_max);
  } catch (...) {
    DiscardAndDescribe(*output);
  }
  return result;
}

// A destination name that is taken: refused when it is a folder, the module
// itself, or a file the request does not replace. (Only a taken name can be
// any of these, so a new name costs no further look.)
void RefuseExistingDestination(const ConvertRequest& request, Platform& platform) {
  // A link to a folder is a name a rename may replace.
  if (platform.IsFolder(request.destination, Links::NotFollowed))
    throw Refused(L"The file to write to is a folder, not a file.", request.destination,
                  kNothingWritten);
  if (request.destination == request.source ||
      platform.SameFile(request.source, request.destination))
    throw Refused(L"The file to write to is the module being read.", request.destination,
                  L"Choose another file to write to. Nothing was written.");
  if (request.replace) return;
  CommandFailure refusal =
      Refused(L"The file to write to exists.", request.destination, kNothingWritten);
  refusal.Report().refusal = Refusal::FileInTheWay;
  throw refusal;
}

}  // namespace

ConvertPlan PlanConvert(const ConvertRequest& request, Platform& platform) {
  const auto factor = FactorOf(request);
  if (!factor)
    throw Refused(L"The conversion factor \"" + request.factor_text +
                      L"\" is outside the range -2147483648 to 2147483647.",
                  L"", kNothingWritten);
  if (request.destination.empty())
    throw Refused(L"No file to write to is given.", L"", kNothingWritten);
  if (platform.IsFolder(request.source, Links::Followed))
    throw Refused(L"The module to read is a folder, not a file.", request.source, kNothingWritten);
  const bool exists = request.destination == request.source ||
                      platform.NameTaken(request.destination);
  if (exists) RefuseExistingDestination(request, platform);
  return {request.source, request.destination, FreeTemporaryName(platform, request.destination),
          *factor,        request.replace,     exists};
}

ConvertResult RunConvert(const ConvertPlan& plan, Host& host, Platform& platform,
                         const ConverterPacing& pacing) {
  return Conversion(plan, host, platform, pacing).Run();
}

std::uint64_t CountVariables(const ConvertPlan& plan, Platform& platform) {
  try {
    return OpenSource(plan, platform)->Length() / kRecordSize;
  } catch (const SystemError& error) {
    throw CommandFailure(
        SystemFailure(L"Could not read the module's length.", error, kNothingWritten));
  }
}

}  // namespace stavrel
