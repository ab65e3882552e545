// ConvertToSnes9x on an in-memory disk against the plain shift in
// module_reference.cpp, with the pacing, a closing window, a failing write
// and files already in the way all chosen by the fuzzer.
#include <chrono>
#include <cstdint>
#include <string>

#include "converter_scenario.h"
#include "factor_reference.h"
#include "fuzz_check.h"
#include "memory_platform.h"
#include "module_reference.h"
#include "recording_window.h"

namespace {

using namespace stavrel;
using namespace stavrel::fuzz;

const std::wstring kSource = L"C:\\snes\\game.mdl";
const std::wstring kDestination = L"C:\\snes\\game-snes9x.mdl";
const std::wstring kLeftover = kDestination + L".stavrel-tmp";

enum class Outcome { Converted, Copied, Failed, Stopped };

struct Expected {
  Outcome outcome = Outcome::Converted;
  bool overflow = false;
};

// What the run must come to, stepping through its chunks the way the
// converter's contract orders them: each chunk is shifted, then written, then
// the window pumped.
Expected Predict(const ConverterScenario& s, const std::optional<std::int32_t>& factor,
                 const ReferenceShift& shift) {
  if (!factor) return {Outcome::Failed, false};
  const std::size_t chunk_bytes = s.records_per_chunk * kReferenceRecordSize;
  const std::size_t chunks = (s.module.size() + chunk_bytes - 1) / chunk_bytes;
  const bool convert = shift.records >= 4;
  const std::size_t overflow_chunk =
      convert && shift.overflow_record ? *shift.overflow_record / s.records_per_chunk + 1 : 0;
  for (std::size_t chunk = 1; chunk <= chunks; ++chunk) {
    if (chunk == overflow_chunk) return {Outcome::Failed, true};
    if (static_cast<int>(chunk) == s.fail_write_number) return {Outcome::Failed, false};
    if (s.pump_every_chunk && static_cast<int>(chunk) == s.close_at_pump) return {Outcome::Stopped, false};
  }
  return {convert ? Outcome::Converted : Outcome::Copied, false};
}

std::wstring Describe(const ConverterScenario& s, const std::optional<std::int32_t>& factor,
                      const test::RecordingWindow& window) {
  std::wstring text = L"factor text " + Quoted(s.factor_text) + L" -> " +
                      (factor ? std::to_wstring(*factor) : std::wstring(L"out of range")) +
                      L"\nmodule bytes " + std::to_wstring(s.module.size()) + L", records per chunk " +
                      std::to_wstring(s.records_per_chunk) + L", pump " + std::to_wstring(s.pump_every_chunk) +
                      L", close at pump " + std::to_wstring(s.close_at_pump) + L", failing write " +
                      std::to_wstring(s.fail_write_number);
  for (const auto& m : window.messages) text += L"\nmessage [" + m.title + L"] " + m.text;
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto scenario = ReadScenario(data, size);
  if (!scenario) return 0;
  const ConverterScenario& s = *scenario;

  MemoryPlatform platform;
  platform.files[kSource] = s.module;
  if (s.destination_exists) platform.files[kDestination] = {std::byte{'o'}, std::byte{'l'}, std::byte{'d'}};
  if (s.leftover_temporary) platform.files[kLeftover] = {std::byte{'t'}};
  platform.fail_write_number = s.fail_write_number;
  const FileMap before = platform.files;

  test::RecordingWindow window;
  window.boxes[Box::Factor] = s.factor_text;
  window.boxes[Box::File1] = kSource;
  window.boxes[Box::File2] = kDestination;
  window.close_after_pumps = s.close_at_pump ? s.close_at_pump : -1;
  ConverterPacing pacing;
  pacing.records_per_chunk = s.records_per_chunk;
  pacing.pump_interval = s.pump_every_chunk ? std::chrono::milliseconds(0) : std::chrono::hours(1);

  ConvertToSnes9x(window, platform, kSource, pacing);

  const std::optional<std::int32_t> factor = ReferenceFactor(s.factor_text);
  const ReferenceShift shift = ShiftModule(s.module, factor.value_or(0));
  const Expected expected = Predict(s, factor, shift);
  const std::wstring detail = Describe(s, factor, window);

  Require(window.commands_enabled.size() == 2 && !window.commands_enabled[0] && window.commands_enabled[1],
          "the commands are disabled during the run and enabled after it", detail);

  FileMap after = before;
  if (expected.outcome == Outcome::Converted) after[kDestination] = shift.bytes;
  if (expected.outcome == Outcome::Copied) after[kDestination] = s.module;
  Require(platform.files == after, "the files are as the outcome says, nothing left behind", detail);

  switch (expected.outcome) {
    case Outcome::Converted:
    case Outcome::Stopped:
      Require(window.messages.empty(), "no message", detail);
      break;
    case Outcome::Copied:
      Require(window.messages.size() == 1 && window.messages[0].text == L"At least 4 variables needed to convert",
              "too few variables: the module is copied and the user told", detail);
      for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2})
        Require(window.boxes[box].empty(), "too few variables: the boxes are cleared", detail);
      break;
    case Outcome::Failed:
      Require(window.messages.size() == 1, "one message", detail);
      if (expected.overflow) {
        const std::wstring start = L"Variable " + std::to_wstring(*shift.overflow_record + 1) +
                                   L" holds the address " + std::to_wstring(shift.overflow_address) +
                                   L"; adding the factor " + std::to_wstring(*factor);
        Require(window.messages[0].text.starts_with(start), "the message names the first overflowing variable",
                detail);
      }
      break;
  }
  if (!window.messages.empty())
    Require(window.messages[0].title == L"Error" && window.messages[0].icon == MessageIcon::Critical,
            "the message is an error", detail);

  if (expected.outcome == Outcome::Converted) {
    Require(window.boxes[Box::VarFound] == std::to_wstring(shift.records), "the count is shown", detail);
    Require(window.progress_max == static_cast<double>(shift.records) + 10 &&
                window.ProgressValue() == window.progress_max,
            "the progress bar ends full", detail);
  }
  return 0;
}
