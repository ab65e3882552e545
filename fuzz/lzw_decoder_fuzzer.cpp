// Our gzip's decoder of LZW data (what follows 1f 9d) on arbitrary bytes: it must agree
// with the plain reference decoder on the output and the fault, however the
// input arrives in pieces.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "gzip_memory_streams.h"
#include "input_buffer.h"
#include "member_reader.h"
#include "old_formats_reference.h"
#include "lzw_decoder.h"

namespace {

using namespace stavrel::fuzz;

struct Run {
  std::vector<std::uint8_t> output;
  std::optional<gz::Fault> fault;
  std::uint64_t written = 0;
  std::size_t bytes_used = 0;
};

Run Decode(std::span<const std::uint8_t> input, std::size_t piece) {
  gz::testing::MemorySource source(input, piece);
  gz::testing::MemorySink sink;
  gz::InputBuffer buffer(source, 4096);
  Run run;
  try {
    run.written = gz::DecodeLzw(buffer, sink);
    // What is left over is what the decoder did not take; read it all.
    std::size_t left = 0;
    for (auto bytes = buffer.available(); !bytes.empty(); bytes = buffer.available()) {
      left += bytes.size();
      buffer.consume(bytes.size());
    }
    run.bytes_used = input.size() - left;
  } catch (const gz::StreamFault& fault) {
    run.fault = fault.fault();
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reference keeps whole strings: bounded inputs keep it quick.
  if (size > 8192) return 0;
  const std::span<const std::uint8_t> input(data, size);
  const Run ours = Decode(input, SIZE_MAX);
  const ReferenceResult reference = ReferenceLzw(input);
  const std::wstring detail = L"ours: " + Describe(ours.output, ours.fault) + L"\nreference: " +
                              Describe(reference.output, reference.fault);
  Require(ours.fault == reference.fault, "the same verdict as the reference", detail);
  Require(ours.output == reference.output, "the same output as the reference", detail);
  if (!ours.fault) Require(ours.written == ours.output.size(), "the count is what was written", detail);
  if (!ours.fault) Require(ours.bytes_used == size, "LZW data runs to the end of the input", detail);

  // Pieces of 1 to 13 bytes put every refill somewhere else.
  const Run pieces = Decode(input, 1 + size % 13);
  const std::wstring both = L"whole: " + Describe(ours.output, ours.fault) + L"\npieces: " +
                            Describe(pieces.output, pieces.fault);
  Require(pieces.fault == ours.fault && pieces.output == ours.output,
          "the outcome does not depend on how the input arrives", both);
  return 0;
}
