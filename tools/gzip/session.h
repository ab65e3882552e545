#pragma once
// One run of gzip over its operands, each treated as GNU gzip 1.12 treats
// it: which files are skipped and why, what the output is called, what is
// said, when the input goes, and when the whole run stops.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "file.h"
#include "listing.h"
#include "member_reader.h"
#include "options.h"
#include "report.h"

namespace gz {

// Called once -r holds a folder open and before it reads the folder's names:
// a seam for the tests, which swap the folder for a link there. The program
// never sets it.
inline void (*g_after_opening_folder)(const std::string& path) = nullptr;

// What one input's transfer moved, for -v's ratio.
struct TransferTotals {
  std::uint64_t compressed = 0;
  std::uint64_t uncompressed = 0;
  std::uint64_t header_bytes = 0;
  std::uint32_t stored_time = 0;  // the last nonzero MTIME read
};

class Session {
 public:
  Session(Options options, Reporter& reporter) : options_(std::move(options)), reporter_(reporter) {}

  // Treats every operand, or standard input when there are none. Throws
  // EndRun when the run must stop early.
  void Run();

 private:
  // A file operand on its way: what was opened, where it goes.
  struct FileJob {
    const fs::Folder* folder;  // the folder -r holds it in, if any
    fs::InputFile& input;
    std::string input_name;
    fs::FileStatus status;
    std::string output_name;
    std::optional<MemberReader> reader;  // when decompressing
  };

  void TreatStdin();
  bool RefuseTerminal();
  void TransferStdin(ByteSource& input, ByteSink& sink, std::optional<fs::Timestamp> modified);

  // `in`: the folder -r found it in.
  void TreatFile(const std::string& operand, const fs::Folder* in = nullptr);
  void TreatFolder(fs::InputFile&& opened, const std::string& path);
  std::optional<fs::InputFile> OpenInput(const std::string& operand, std::string& input_name, const fs::Folder* in);
  bool MayTreat(const std::string& input_name, const fs::FileStatus& status);
  std::optional<std::string> OutputNameFor(const std::string& input_name);
  bool ReadFirstHeader(FileJob& job);
  void SayExtraField(const std::string& input_name, const MemberHeader& header);
  bool CreateOutput(const FileJob& job, std::optional<fs::PendingOutput>& pending);
  std::optional<TransferTotals> Transfer(FileJob& job, ByteSink& sink);
  bool CommitOutput(fs::PendingOutput& pending, const FileJob& job, std::uint32_t stored_time);
  void SayDone(const FileJob& job, const TransferTotals& totals);

  // gzip -l: decompresses `input` to nowhere and lists what it held.
  void ListStream(ByteSource& input, const std::string& input_name, const std::string& list_name,
                  std::int64_t file_time);

  Options options_;
  Reporter& reporter_;
  fs::StandardOutput standard_output_;
  std::optional<Listing> listing_;
  // The folders -r is inside of, outermost first: one met again through a
  // link would be walked for ever.
  std::vector<fs::FileId> walking_;
  // Once a file operand has been compressed with its name, later members
  // read from standard input carry the name "stdin": GNU gzip does so.
  bool store_name_ = false;
};

}  // namespace gz
