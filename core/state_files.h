#pragma once
// Moving a save state between its gzip-compressed form and the decompressed
// ".sds" form, by running gzip.exe from the program folder.
#include <string>
#include <vector>

#include "host.h"
#include "platform.h"
#include "state_names.h"

namespace stavrel {

struct DecompressRequest {
  std::wstring state;
  std::wstring default_name;  // empty: the state's own file name
  bool keep = false;          // the state stays beside the decompressed one
};

struct CompressRequest {
  std::wstring file;
  bool keep = false;  // the file stays beside the compressed state
  int slot = 0;       // the compressed state's extension: 0 to kLastSlot
  // A file that is gzip data already is refused (Refusal::AlreadyCompressed)
  // rather than wrapped a second time.
  bool refuse_compressed = false;
};

// Everything a decompression will do, worked out before a file is touched:
// the state is copied to names.compressed, gzip turns that into
// names.decompressed, which becomes names.final_name; the state goes.
struct DecompressPlan {
  std::wstring state;
  DecompressNames names{};
  ProcessLaunch gzip{};
  bool replaces_state = false;  // the final name is the state itself
  bool keeps_state = false;
};

// gzip turns `file` into names.compressed, which becomes names.final_name.
struct CompressPlan {
  std::wstring file;
  CompressNames names{};
  ProcessLaunch gzip{};
  bool replaces_input = false;  // the final name is the file itself
  bool keeps_input = false;     // gzip is told to leave the file in place
};

struct StateResult {
  std::wstring final_name;
  std::vector<CommandReport> warnings{};  // the work is done, with something to say
};

// Check the request; throw CommandFailure with the refusal (an unusable
// name, no gzip.exe, a missing input, a file in the way, an input to keep
// that the result would replace, data compressed already when that is
// refused). They look at the file system, and read the first bytes of a
// file to compress, but change nothing.
DecompressPlan PlanDecompress(const DecompressRequest& request, Platform& platform);
CompressPlan PlanCompress(const CompressRequest& request, Platform& platform);

// Carry out a plan; throw CommandFailure when it fails (having removed what
// they made while the user's file still exists) and CommandStopped when the
// host asked to stop before gzip was done. A stop that comes once gzip has
// finished finishes the command.
StateResult RunDecompress(const DecompressPlan& plan, Host& host, Platform& platform);
StateResult RunCompress(const CompressPlan& plan, Host& host, Platform& platform);

}  // namespace stavrel
