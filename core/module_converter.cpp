#include "module_converter.h"

#include <limits>
#include <memory>
#include <span>

#include "command_run.h"
#include "factor_text.h"
#include "module_converter_options.h"
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
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max())
      throw AddressOverflow{first_variable + r, value};
    WriteAddress(record, static_cast<std::int32_t>(sum));
  }
}

class Conversion {
 public:
  Conversion(WindowOperations& window, Platform& platform, const ConverterPacing& pacing,
             ExistingDestination existing)
      : window_(window), platform_(platform), pacing_(pacing), existing_(existing) {}

  void Run(const std::wstring& source);

 private:
  std::int32_t ReadFactorBox();
  std::wstring ReadDestinationBox(const std::wstring& source);
  void Stream(OpenFile& from, OpenFile& to, std::uint64_t length, std::uint64_t variables,
              std::int32_t factor);
  void ShowProgress(std::uint64_t variable);
  // Removes the output of a conversion that failed, then throws the failure
  // in words; returns quietly when the user stopped the run and everything
  // was cleaned up.
  void DiscardAndDescribe(PendingOutput& output, const std::wstring& source,
                                       const std::wstring& destination, std::int32_t factor);

  WindowOperations& window_;
  Platform& platform_;
  const ConverterPacing& pacing_;
  ExistingDestination existing_;
  Clock::time_point last_pump_ = Clock::now();
};

std::int32_t Conversion::ReadFactorBox() {
  const std::wstring text = window_.BoxText(Box::Factor);
  const auto factor = ReadFactor(text);
  if (!factor)
    throw CommandFailure({Severity::Error,
                          L"The conversion factor \"" + text +
                              L"\" is outside the range -2147483648 to 2147483647.",
                          L"", L"", L"Nothing was written."});
  return *factor;
}

std::wstring Conversion::ReadDestinationBox(const std::wstring& source) {
  std::wstring destination = window_.BoxText(Box::File2);
  if (destination.empty())
    throw CommandFailure(
        {Severity::Error, L"No file to write to is given.", L"", L"", L"Nothing was written."});
  if (destination == source || platform_.SameFile(source, destination))
    throw CommandFailure({Severity::Error, L"The file to write to is the module being read.",
                          destination, L"",
                          L"Choose another file to write to. Nothing was written."});
  return destination;
}

void Conversion::ShowProgress(std::uint64_t variable) {
  // The first two records never move the bar.
  if (variable >= 3) window_.SetProgressValue(static_cast<double>(variable));
  if (!window_.ProcessPendingEvents()) throw ConversionStopped{};
  last_pump_ = Clock::now();
}

void Conversion::Stream(OpenFile& from, OpenFile& to, std::uint64_t length,
                        std::uint64_t variables, std::int32_t factor) {
  // A module smaller than a chunk is read whole, into a buffer of its size:
  // a fresh large block costs more than reading a small module.
  const std::size_t chunk_size = static_cast<std::size_t>(
      std::min<std::uint64_t>(pacing_.records_per_chunk * kRecordSize, length));
  const auto buffer = std::make_unique_for_overwrite<std::byte[]>(chunk_size);
  const std::span<std::byte> chunk(buffer.get(), chunk_size);
  std::uint64_t offset = 0;
  std::uint64_t done = 0;  // records shifted so far
  while (offset < length) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), length - offset));
    const std::size_t got = from.ReadAt(offset, {chunk.data(), want});
    if (got != want)
      throw SystemError(L"read", L"", L"the module became shorter while it was being read");
    const std::uint64_t records = std::min<std::uint64_t>(variables - done, want / kRecordSize);
    ShiftChunk(chunk.data(), static_cast<std::size_t>(records), factor, done + 1);
    to.WriteAt(offset, {chunk.data(), want});
    offset += want;
    done += records;
    if (Clock::now() - last_pump_ >= pacing_.pump_interval) ShowProgress(done);
  }
}

void Conversion::DiscardAndDescribe(PendingOutput& output, const std::wstring& source,
                                    const std::wstring& destination, std::int32_t factor) {
  std::wstring outcome = L"Nothing was written: " + destination + L" is as it was before.";
  const auto with_leftover = [&](std::wstring text) {
    if (const auto left = output.Discard(); !left.empty()) text += (text.empty() ? L"" : L"\r\n") + left;
    return text;
  };
  try {
    throw;
  } catch (const SystemError& error) {
    // The temporary name means nothing to the user: name the destination.
    std::wstring where = error.Path().empty() ? source : error.Path();
    if (where == output.TemporaryPath()) where = destination;
    const SystemError located(error.Operation(), where, error.Reason(), error.Kind());
    throw CommandFailure(SystemFailure(L"Could not " + error.Operation() + L" while converting the module.",
                                       located, with_leftover(outcome)));
  } catch (const AddressOverflow& overflow) {
    throw CommandFailure({Severity::Error,
                          L"Variable " + std::to_wstring(overflow.variable) + L" holds the address " +
                              std::to_wstring(overflow.value) + L"; adding the factor " +
                              std::to_wstring(factor) +
                              L" goes beyond the 32-bit range (-2147483648 to 2147483647).",
                          source, L"", with_leftover(outcome)});
  } catch (const ConversionStopped&) {
    // The user stopped it: say so only if something could not be cleaned up.
    const std::wstring left = with_leftover(L"");
    if (left.empty()) return;
    throw CommandFailure({Severity::Error, L"The conversion was stopped.", L"", L"", left});
  }
}

void Conversion::Run(const std::wstring& source) {
  const std::int32_t factor = ReadFactorBox();
  const std::wstring destination = ReadDestinationBox(source);

  std::unique_ptr<OpenFile> from;
  try {
    from = platform_.OpenForReading(source);
  } catch (const SystemError& error) {
    throw CommandFailure(
        SystemFailure(L"Could not open the module to read.", error, L"Nothing was written."));
  }

  std::unique_ptr<PendingOutput> output;
  try {
    output = std::make_unique<PendingOutput>(platform_, destination, existing_ == ExistingDestination::Replace);
  } catch (const SystemError& error) {
    throw CommandFailure(
        SystemFailure(L"Could not create the file to write to.", error, L"Nothing was written."));
  }

  std::uint64_t variables = 0;
  try {
    const std::uint64_t length = from->Length();
    variables = length / kRecordSize;
    window_.SetBoxText(Box::VarFound, std::to_wstring(variables));
    // Too few variables: the module is only copied, unshifted.
    const bool convert = variables >= kMinimumVariables;
    if (convert) window_.SetProgressMax(static_cast<double>(variables) + kProgressSlack);
    Stream(*from, output->File(), length, convert ? variables : 0, factor);
    auto source_file = std::move(from);
    source_file->Close();
    output->Commit();
  } catch (...) {
    DiscardAndDescribe(*output, source, destination, factor);
    return;
  }

  if (variables < kMinimumVariables) {
    window_.Messages().Show({Severity::Error, L"At least 4 variables needed to convert", L"", L"", L""});
    ClearBoxes(window_);
    return;
  }
  window_.SetProgressValue(window_.ProgressMax());
}

}  // namespace

void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source,
                     const ConverterPacing& pacing, ExistingDestination existing) {
  if (source.empty()) return;
  RunCommand(window, [&] { Conversion(window, platform, pacing, existing).Run(source); });
}

void ConvertToSnes9x(WindowOperations& window, Platform& platform, const std::wstring& source,
                     ExistingDestination existing) {
  ConvertToSnes9x(window, platform, source, ConverterPacing{}, existing);
}

void ClearBoxes(WindowOperations& window) {
  for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2}) window.SetBoxText(box, L"");
  window.SetProgressValue(0);
}

}  // namespace stavrel
