// Checks one of our gzip's decoders of older formats on arbitrary bytes: it
// must agree with the plain reference decoder on the output and the fault,
// however the input arrives in pieces.
#include "old_format_check.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "gzip_memory_streams.h"
#include "member_reader.h"

namespace stavrel::fuzz {
namespace {


struct Run {
  std::vector<std::uint8_t> output;
  std::optional<gz::Fault> fault;
  std::uint64_t written = 0;
  std::size_t bytes_used = 0;
};

Run Decode(OldFormatDecoder decode, std::span<const std::uint8_t> input, std::size_t piece) {
  gz::testing::MemorySource source(input, piece);
  gz::testing::MemorySink sink;
  gz::InputBuffer buffer(source, 4096);
  Run run;
  try {
    run.written = decode(buffer, sink);
    // What is left over is what the decoder did not take; read it all.
    std::size_t left = 0;
    for (auto bytes = buffer.Available(); !bytes.empty(); bytes = buffer.Available()) {
      left += bytes.size();
      buffer.Consume(bytes.size());
    }
    run.bytes_used = input.size() - left;
  } catch (const gz::StreamFault& fault) {
    run.fault = fault.Kind();
  }
  // Anything else thrown escapes to libFuzzer, which reports it as a crash.
  run.output = std::move(sink.data);
  return run;
}

std::wstring Describe(const std::vector<std::uint8_t>& output, const std::optional<gz::Fault>& fault) {
  return L"output bytes " + std::to_wstring(output.size()) + L", fault " +
         (fault ? std::to_wstring(static_cast<int>(*fault)) : std::wstring(L"none"));
}

}  // namespace

void CheckOldFormatDecoder(std::span<const std::uint8_t> input, OldFormatDecoder decode,
                           OldFormatReference decode_reference, EndOfData end) {
  const std::size_t size = input.size();
  const Run ours = Decode(decode, input, SIZE_MAX);
  const ReferenceResult reference = decode_reference(input);
  const std::wstring detail = L"ours: " + Describe(ours.output, ours.fault) + L"\nreference: " +
                              Describe(reference.output, reference.fault);
  Require(ours.fault == reference.fault, "the same verdict as the reference", detail);
  Require(ours.output == reference.output, "the same output as the reference", detail);
  if (!ours.fault) Require(ours.written == ours.output.size(), "the count is what was written", detail);
  if (!ours.fault && end == EndOfData::RunsToTheEnd)
    Require(ours.bytes_used == size, "the data runs to the end of the input", detail);
  if (!ours.fault && end == EndOfData::EndsItself)
    Require(ours.bytes_used == reference.bytes_used, "the member ends where the reference ends it", detail);

  // Pieces of 1 to 13 bytes put every refill somewhere else.
  const Run pieces = Decode(decode, input, 1 + size % 13);
  const std::wstring both = L"whole: " + Describe(ours.output, ours.fault) + L"\npieces: " +
                            Describe(pieces.output, pieces.fault);
  Require(pieces.fault == ours.fault && pieces.output == ours.output,
          "the outcome does not depend on how the input arrives", both);
}

}  // namespace stavrel::fuzz
