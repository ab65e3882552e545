#include "stream_report.h"

#include <cstdio>

namespace gz {
namespace {

std::string hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

}  // namespace

void ReportStreamFault(Reporter& reporter, const StreamFault& fault, const std::string& input_name, bool testing,
                         bool to_stdout) {
  const std::string& program = reporter.program();
  const std::string line = "\n" + program + ": " + input_name + ": ";
  switch (fault.fault()) {
    case Fault::NotGzip:
      reporter.Error(line + "not in gzip format\n");
      return;
    case Fault::UnknownMethod:
      reporter.Error(program + ": " + input_name + ": unknown method " + std::to_string(fault.value()) +
                      " -- not supported\n");
      return;
    case Fault::Encrypted:
      reporter.Error(program + ": " + input_name + " is encrypted -- not supported\n");
      return;
    case Fault::ReservedFlags:
      reporter.Error(program + ": " + input_name + " has flags 0x" + hex(fault.value(), 1) + " -- not supported\n");
      return;
    case Fault::HeaderChecksum:
      reporter.Error(program + ": " + input_name + ": header checksum 0x" + hex(fault.value(), 4) +
                      " != computed checksum 0x" + hex(fault.computed(), 4) + "\n");
      return;
    case Fault::CrcError:
    case Fault::LengthError:
    case Fault::CrcAndLengthError:
      if (fault.fault() != Fault::LengthError) reporter.Error(line + "invalid compressed data--crc error\n");
      if (fault.fault() != Fault::CrcError) reporter.Error(line + "invalid compressed data--length error\n");
      // Testing goes on with the next file; anything else stops here.
      if (testing) return;
      throw EndRun{1};
    case Fault::UnexpectedEnd:
      reporter.Error(line + "unexpected end of file\n");
      throw EndRun{1};
    case Fault::FormatViolated:
      reporter.Error(line + "invalid compressed data--format violated\n");
      throw EndRun{1};
    case Fault::LzwBitsTooMany:
      // Only this file fails; the run goes on.
      reporter.Error(line + "compressed with " + std::to_string(fault.value()) + " bits, can only handle 16 bits\n");
      return;
    case Fault::LzwBadFirstCode:
      reporter.Error(line + "corrupt input.\n");
      throw EndRun{1};
    case Fault::LzwCorrupt:
      reporter.Error(line + (to_stdout ? "corrupt input.\n" : "corrupt input. Use zcat to recover some data.\n"));
      throw EndRun{1};
    case Fault::PackBitLength:
    case Fault::PackTooManyLeaves:
    case Fault::PackTooFewLeaves:
    case Fault::PackLengthError:
      reporter.Error(line + fault.what() + "\n");
      throw EndRun{1};
  }
}

void ReportStreamWarning(Reporter& reporter, const StreamWarning& warning, const std::string& input_name) {
  switch (warning.warning) {
    case Warning::LzwUnknownFlags:
      reporter.Warning("\n" + reporter.program() + ": " + input_name + ": warning, unknown flags 0x" +
                       hex(warning.value, 1) + "\n");
      return;
  }
}

void ReportStreamEnding(Reporter& reporter, Ending ending, const std::string& input_name, bool verbose) {
  const std::string line = "\n" + reporter.program() + ": " + input_name + ": decompression OK, ";
  if (ending == Ending::TrailingGarbage) reporter.Warning(line + "trailing garbage ignored\n");
  if (ending == Ending::TrailingZeros && verbose) reporter.Warning(line + "trailing zero bytes ignored\n");
}

std::uint32_t HeaderTime(Reporter& reporter, const std::optional<fs::Timestamp>& modified,
                          const std::string& input_name) {
  if (!modified) return 0;
  // MTIME 0 means "no time", so a file from 1970-01-01 00:00:00 has none.
  if (modified->seconds > 0 && modified->seconds <= 0xffffffffLL) return static_cast<std::uint32_t>(modified->seconds);
  reporter.Warning(reporter.program() + ": " + input_name + ": warning: file timestamp out of range for gzip format\n");
  return 0;
}

}  // namespace gz
