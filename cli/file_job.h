#pragma once
// One file of a batch: its full path for the core, and the names as the
// user typed them for the console.
#include <optional>
#include <string>
#include <vector>

#include "cli_request.h"
#include "command_report.h"

namespace stavrel::cli {

struct FileJob {
  std::wstring input;        // full program path
  std::wstring typed_input;  // as typed
  std::wstring output;       // convert only: the destination's full path
  std::wstring typed_output;
  // Set when a name cannot be used at all; the job is then refused before
  // anything is read or changed, and the name at fault stands as typed in
  // place of its full path.
  std::optional<CommandReport> refusal;
};

// The jobs in the order given. Convert with an output folder writes each
// source into the folder under the source's own file name.
std::vector<FileJob> FileJobs(const CliRequest& request);

// A result's name shown the way its input was typed: the typed folder part
// (if any) with the result's file name.
std::wstring TypedSibling(const FileJob& job, const std::wstring& result);

}  // namespace stavrel::cli
