#pragma once
// One file of a batch: its full path for the core, and the names as the
// user typed them for the console.
#include <string>
#include <vector>

#include "cli_request.h"

namespace stavrel::cli {

struct FileJob {
  std::wstring input;        // full program path
  std::wstring typed_input;  // as typed
  std::wstring output;       // convert only: the destination's full path
  std::wstring typed_output;
};

// The jobs in the order given. Convert with an output folder writes each
// source into the folder under the source's own file name.
std::vector<FileJob> FileJobs(const CliRequest& request);

// A result's name shown the way its input was typed: the typed folder part
// (if any) with the result's file name.
std::wstring TypedSibling(const FileJob& job, const std::wstring& result);

}  // namespace stavrel::cli
