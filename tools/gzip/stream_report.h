#pragma once
// GNU gzip's words for what it finds in a stream, and its decisions about
// which findings end the whole run.
#include <cstdint>
#include <optional>
#include <string>

#include "file.h"
#include "member_reader.h"
#include "report.h"

namespace gz {

// Says what is wrong with `input_name`'s stream. Throws EndRun where GNU
// gzip stops the run: a cut or corrupt stream, a CRC or length mismatch
// (unless `testing`, which goes on with the next file). `to_stdout`: the
// output is standard output (-c, -t), which changes GNU's advice on LZW data.
void ReportStreamFault(Reporter& reporter, const StreamFault& fault, const std::string& input_name, bool testing,
                       bool to_stdout = true);

// Says what GNU gzip warns about in `input_name`'s stream.
void ReportStreamWarning(Reporter& reporter, const StreamWarning& warning, const std::string& input_name);

// Says what followed the last member, if that deserves a word.
void ReportStreamEnding(Reporter& reporter, Ending ending, const std::string& input_name, bool verbose);

// The MTIME to store for a file changed at `modified` (nothing: unknown or
// not wanted); warns when the format cannot hold that time.
std::uint32_t HeaderTime(Reporter& reporter, const std::optional<fs::Timestamp>& modified,
                         const std::string& input_name);

}  // namespace gz
