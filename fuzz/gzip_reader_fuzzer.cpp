// Our gzip's decompression of arbitrary bytes, in memory: it must end in
// output or a StreamFault, the same however the input arrives in pieces, and
// agree with zlib's own gzip decoding on a lone member.
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "fuzz_check.h"
#include "member_reader.h"
#include "gzip_memory_streams.h"
#include "zlib_reference.h"

namespace {

using namespace stavrel::fuzz;
using gz::testing::MemorySink;
using gz::testing::MemorySource;

struct Run {
  std::vector<std::uint8_t> output;
  std::variant<gz::DecompressTotals, gz::Fault> result;

  bool ok() const { return std::holds_alternative<gz::DecompressTotals>(result); }
  const gz::DecompressTotals& totals() const { return std::get<gz::DecompressTotals>(result); }
};

Run Decompress(std::span<const std::uint8_t> input, std::size_t piece, bool copy_other_data,
               bool header_first) {
  MemorySource source(input, piece == 0 ? SIZE_MAX : piece);
  MemorySink sink;
  Run run;
  try {
    gz::MemberReader reader(source, copy_other_data);
    if (header_first) reader.ReadFirstHeader();
    run.result = reader.Decompress(sink);
  } catch (const gz::StreamFault& fault) {
    run.result = fault.Kind();
  }
  // Anything else thrown escapes to libFuzzer, which reports it as a crash.
  run.output = std::move(sink.data);
  return run;
}

std::wstring Describe(const Run& run) {
  std::wstring text = L"output bytes " + std::to_wstring(run.output.size());
  if (run.ok()) {
    const auto& t = run.totals();
    text += L", ending " + std::to_wstring(static_cast<int>(t.ending)) + L", in " + std::to_wstring(t.bytes_in) +
            L", out " + std::to_wstring(t.bytes_out) + L", header " + std::to_wstring(t.header_bytes) +
            L", mtime " + std::to_wstring(t.mtime);
  } else {
    text += L", fault " + std::to_wstring(static_cast<int>(std::get<gz::Fault>(run.result)));
  }
  return text;
}

bool SameTotals(const gz::DecompressTotals& a, const gz::DecompressTotals& b) {
  // bytes_in is left out: it counts read-ahead, which depends on the pieces.
  return a.ending == b.ending && a.bytes_out == b.bytes_out && a.header_bytes == b.header_bytes &&
         a.mtime == b.mtime;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const Run whole = Decompress(input, 0, false, true);
  if (whole.ok()) {
    Require(whole.totals().bytes_out == whole.output.size(), "bytes_out counts the output", Describe(whole));
    if (whole.totals().ending == gz::Ending::EndOfInput)
      Require(whole.totals().bytes_in == size, "the whole input was read", Describe(whole));
  }

  // Pieces of 1 to 13 bytes put every refill somewhere else.
  const Run pieces = Decompress(input, 1 + size % 13, false, false);
  const std::wstring both = L"whole: " + Describe(whole) + L"\npieces: " + Describe(pieces);
  Require(pieces.output == whole.output, "the output does not depend on how the input arrives", both);
  Require(pieces.ok() == whole.ok(), "the outcome does not depend on how the input arrives", both);
  if (whole.ok())
    Require(SameTotals(pieces.totals(), whole.totals()), "the totals do not depend on how the input arrives", both);
  else
    Require(std::get<gz::Fault>(pieces.result) == std::get<gz::Fault>(whole.result),
            "the fault does not depend on how the input arrives", both);

  // zcat -f: gzip data (and LZW and packed data) decompresses as before,
  // anything else comes out as it is. Each reader costs two large buffers,
  // so only where the outcome is known.
  const bool gzip_magic = size >= 2 && data[0] == 0x1f &&
                          (data[1] == 0x8b || data[1] == 0x9e || data[1] == 0x9d || data[1] == 0x1e);
  const bool whole_stream = whole.ok() && whole.totals().ending == gz::Ending::EndOfInput;
  if (!gzip_magic || whole_stream) {
    const Run copied = Decompress(input, 0, true, false);
    const std::wstring copy_detail = L"plain: " + Describe(whole) + L"\ncopying: " + Describe(copied);
    if (!gzip_magic)
      Require(copied.ok() && copied.output == std::vector<std::uint8_t>(data, data + size),
              "data that is not gzip is copied unchanged", copy_detail);
    else
      Require(copied.ok() && copied.output == whole.output, "copying changes nothing on gzip data", copy_detail);
  }

  // zlib decodes the first member only: compare where that is the whole input.
  const auto reference = ZlibFirstMember(input);
  const bool lone_member = reference && reference->bytes_used == size;
  const std::wstring zlib_detail =
      L"ours: " + Describe(whole) + L"\nzlib: " +
      (reference ? L"member of " + std::to_wstring(reference->bytes_used) + L" bytes, data " +
                       std::to_wstring(reference->data.size())
                 : std::wstring(L"fails"));
  if (lone_member)
    Require(whole.ok() && whole.output == reference->data && whole.totals().ending == gz::Ending::EndOfInput,
            "a member zlib decodes, we decode the same", zlib_detail);
  // header_bytes is set exactly when the input was one member; zlib knows
  // only the 1f 8b magic.
  if (whole.ok() && whole.totals().header_bytes != 0 && data[1] == 0x8b)
    Require(lone_member && whole.output == reference->data, "a member we decode, zlib decodes the same",
            zlib_detail);
  return 0;
}
