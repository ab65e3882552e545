#include "stream_report.h"

#include "number_text.h"

namespace gz {

void ReportStreamFault(Reporter& reporter, const StreamFault& fault, const std::string& input_name, bool testing,
                       bool to_stdout) {
  const std::string& program = reporter.Program();
  const std::string line = "\n" + program + ": " + input_name + ": ";
  switch (fault.Kind()) {
    case Fault::NotGzip: reporter.Error(line + fault.what() + "\n"); return;
    case Fault::UnknownMethod:
      reporter.Error(program + ": " + input_name + ": unknown method " + std::to_string(fault.Value()) +
                     " -- not supported\n");
      return;
    case Fault::Encrypted: reporter.Error(program + ": " + input_name + " is encrypted -- not supported\n"); return;
    case Fault::ReservedFlags:
      reporter.Error(program + ": " + input_name + " has flags 0x" + HexText(fault.Value(), 1) + " -- not supported\n");
      return;
    case Fault::HeaderChecksum:
      reporter.Error(program + ": " + input_name + ": header checksum 0x" + HexText(fault.Value(), 4) +
                     " != computed checksum 0x" + HexText(fault.Computed(), 4) + "\n");
      return;
    case Fault::CrcError:
    case Fault::LengthError:
    case Fault::CrcAndLengthError:
      if (fault.Kind() != Fault::LengthError) reporter.Error(line + FaultWords(Fault::CrcError) + "\n");
      if (fault.Kind() != Fault::CrcError) reporter.Error(line + FaultWords(Fault::LengthError) + "\n");
      // Testing goes on with the next file; anything else stops here.
      if (testing) return;
      throw EndRun{1};
    case Fault::LzwBitsTooMany:
      // Only this file fails; the run goes on.
      reporter.Error(line + "compressed with " + std::to_string(fault.Value()) + " bits, can only handle 16 bits\n");
      return;
    case Fault::LzwCorrupt:
      reporter.Error(line + fault.what() + (to_stdout ? "\n" : " Use zcat to recover some data.\n"));
      throw EndRun{1};
    case Fault::UnexpectedEnd:
    case Fault::FormatViolated:
    case Fault::LzwBadFirstCode:
    case Fault::PackBitLength:
    case Fault::PackTooManyLeaves:
    case Fault::PackTooFewLeaves:
    case Fault::PackLengthError: reporter.Error(line + fault.what() + "\n"); throw EndRun{1};
  }
}

void ReportStreamWarning(Reporter& reporter, const StreamWarning& warning, const std::string& input_name) {
  switch (warning.warning) {
    case Warning::LzwUnknownFlags:
      reporter.Warning("\n" + reporter.Program() + ": " + input_name + ": warning, unknown flags 0x" +
                       HexText(warning.value, 1) + "\n");
      return;
  }
}

void ReportStreamEnding(Reporter& reporter, Ending ending, const std::string& input_name, bool verbose) {
  const std::string line = "\n" + reporter.Program() + ": " + input_name + ": decompression OK, ";
  if (ending == Ending::TrailingGarbage) reporter.Warning(line + "trailing garbage ignored\n");
  if (ending == Ending::TrailingZeros && verbose) reporter.Warning(line + "trailing zero bytes ignored\n");
}

std::uint32_t HeaderTime(Reporter& reporter, const std::optional<fs::Timestamp>& modified,
                         const std::string& input_name) {
  if (!modified) return 0;
  // MTIME 0 means "no time", so a file from 1970-01-01 00:00:00 has none.
  if (modified->seconds > 0 && modified->seconds <= 0xffffffffLL) return static_cast<std::uint32_t>(modified->seconds);
  reporter.Warning(reporter.Program() + ": " + input_name + ": warning: file timestamp out of range for gzip format\n");
  return 0;
}

}  // namespace gz
