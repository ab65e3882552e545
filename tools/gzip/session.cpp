#include "session.h"

#include <algorithm>

#include "gzip_format.h"
#include "member_writer.h"
#include "names.h"
#include "number_text.h"
#include "stream_report.h"

namespace gz {

void Session::Run() {
  if (options_.list) listing_.emplace(standard_output_, options_.verbose != 0, options_.quiet);
  if (options_.operands.empty()) {
    TreatStdin();
  } else {
    for (const std::string& operand : options_.operands) TreatFile(operand);
  }
  // Totals follow when several operands were named, however many files a
  // folder held: GNU gzip counts them so.
  if (!listing_ || options_.operands.size() < 2) return;
  try {
    listing_->Finish();
  } catch (const WriteError& e) {
    reporter_.FileError("stdout", e.what());
    throw EndRun{1};
  }
}

// Compressed data is never written to a terminal, nor read from one, unless
// -f.
bool Session::RefuseTerminal() {
  const bool decompress = options_.decompress;
  if (options_.force || !(options_.presume_input_tty ||
                          fs::IsTerminal(decompress ? fs::StandardStream::Input : fs::StandardStream::Output)))
    return false;
  if (!options_.quiet) {
    reporter_.Say(reporter_.Program() + ": compressed data not " + (decompress ? "read from" : "written to") +
                  " a terminal. Use -f to force " + (decompress ? "de" : "") +
                  "compression.\nFor help, type: " + reporter_.Program() + " -h\n");
  }
  return true;
}

void Session::TreatStdin() {
  if (RefuseTerminal()) throw EndRun{1};
  fs::StandardInput input;
  std::optional<fs::Timestamp> file_time;
  try {
    const fs::FileStatus status = input.Status();
    if (status.kind == fs::FileKind::Regular) file_time = status.modified;
  } catch (const fs::SystemError& e) {
    reporter_.FileError("standard input", fs::ReasonOf(e));
    throw EndRun{1};
  }
  if (options_.list) {
    ListStream(input, "stdin", "stdout", file_time ? file_time->seconds : 0);
    return;
  }
  DiscardSink discard;
  ByteSink& sink = options_.test ? static_cast<ByteSink&>(discard) : standard_output_;
  try {
    TransferStdin(input, sink, options_.no_time ? std::nullopt : file_time);
  } catch (const StreamFault& fault) {
    ReportStreamFault(reporter_, fault, "stdin", options_.test);
  } catch (const ReadError& e) {
    reporter_.FileFault("stdin", e.what());
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.FileFault("stdout", e.what());
    throw EndRun{1};
  }
}

// Throws StreamFault, ReadError, WriteError.
void Session::TransferStdin(ByteSource& input, ByteSink& sink, std::optional<fs::Timestamp> modified) {
  const std::string input_name = "stdin";
  if (options_.decompress) {
    MemberReader reader(input, options_.force != 0);
    reader.SetWarningHandler([&](const StreamWarning& w) { ReportStreamWarning(reporter_, w, input_name); });
    try {
      reader.ReadFirstHeader();
    } catch (const StreamFault& fault) {
      ReportStreamFault(reporter_, fault, input_name, options_.test);
      // Any fault in standard input's first header ends the run.
      throw EndRun{reporter_.ExitStatus()};
    }
    const DecompressTotals totals = reader.Decompress(sink);
    ReportStreamEnding(reporter_, totals.ending, input_name, options_.verbose != 0);
    // GNU gzip says nothing more about standard input after trailing data.
    if (totals.ending != Ending::EndOfInput) return;
  } else {
    MemberFields fields;
    fields.level = options_.level;
    if (store_name_) fields.name = input_name;
    fields.mtime = HeaderTime(reporter_, modified, input_name);
    const CompressTotals totals = CompressMember(input, sink, fields);
    if (options_.verbose) reporter_.Say(RatioText(totals.bytes_out, totals.bytes_in, totals.header_bytes) + "\n");
  }
  if (options_.verbose && options_.test) reporter_.Say(" OK\n");
}

std::optional<fs::InputFile> Session::OpenInput(const std::string& operand, std::string& input_name,
                                                const fs::Folder* in) {
  const bool follow_links = options_.to_stdout || options_.force;
  input_name = operand;
  try {
    return fs::InputFile::Open(operand, follow_links, in);
  } catch (const fs::SystemError& e) {
    if (!options_.decompress || !fs::IsMissing(e)) {
      reporter_.FileError(operand, fs::ReasonOf(e));
      return std::nullopt;
    }
    // "gzip -d a" also finds a.gz (or a.z, a-z, a.Z); a failure is told
    // about the name with the suffix in use.
    const std::vector<std::string> candidates = names::DecompressCandidates(operand, options_.suffix);
    if (candidates.empty()) {
      reporter_.FileError(operand, fs::ReasonOf(e));
      return std::nullopt;
    }
    std::string first_reason = fs::ReasonOf(e);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      try {
        input_name = candidates[i];
        return fs::InputFile::Open(candidates[i], follow_links, in);
      } catch (const fs::SystemError& tried) {
        if (!fs::IsMissing(tried)) {
          reporter_.FileError(candidates[i], fs::ReasonOf(tried));
          return std::nullopt;
        }
        if (i == 0) first_reason = fs::ReasonOf(tried);
      }
    }
    reporter_.FileError(candidates.front(), first_reason);
    return std::nullopt;
  }
}

bool Session::MayTreat(const std::string& input_name, const fs::FileStatus& status) {
  if (status.kind == fs::FileKind::Directory) {
    reporter_.Warning(reporter_.FileLine(input_name, " is a directory -- ignored"));
    return false;
  }
  if (options_.to_stdout) return true;
  if (status.kind != fs::FileKind::Regular) {
    reporter_.Warning(reporter_.FileLine(input_name, " is not a directory or a regular file - ignored"));
    return false;
  }
  if (status.set_user_id) {
    reporter_.Warning(reporter_.FileLine(input_name, " is set-user-ID on execution - ignored"));
    return false;
  }
  if (status.set_group_id) {
    reporter_.Warning(reporter_.FileLine(input_name, " is set-group-ID on execution - ignored"));
    return false;
  }
  if (options_.force) return true;
  if (status.sticky) {
    reporter_.Warning(reporter_.FileLine(input_name, " has the sticky bit set - file ignored"));
    return false;
  }
  if (status.links >= 2) {
    // Removing the input would not free the data: other names keep it.
    const std::uint64_t others = status.links - 1;
    reporter_.Warning(reporter_.FileLine(
        input_name, " has " + std::to_string(others) + " other link" + (others == 1 ? "" : "s") + " -- file ignored"));
    return false;
  }
  return true;
}

std::optional<std::string> Session::OutputNameFor(const std::string& input_name) {
  if (options_.to_stdout && !options_.test && !options_.list) return "stdout";
  // A walk through folders passes over names quietly unless -v.
  const bool tell = options_.verbose || (!options_.recursive && !options_.quiet);
  if (options_.decompress) {
    std::optional<std::string> name = names::DecompressedName(input_name, options_.suffix);
    if (name) return name;
    // -t and -l take a named file whatever it is called; -r only takes
    // compressed names, even among its operands.
    if ((options_.test || options_.list) && !options_.recursive) return input_name;
    if (tell) reporter_.FileWarning(input_name, "unknown suffix -- ignored");
    return std::nullopt;
  }
  const std::string_view suffix = names::FindSuffix(input_name, options_.suffix);
  if (!suffix.empty() && !options_.force) {
    if (tell)
      reporter_.Say(reporter_.FileLine(input_name, " already has " + std::string(suffix) + " suffix -- unchanged"));
    return std::nullopt;
  }
  return input_name + options_.suffix;
}

void Session::TreatFolder(fs::InputFile&& opened, const std::string& path) {
  std::optional<fs::Folder> folder;
  std::vector<std::string> entries;
  try {
    folder.emplace(std::move(opened), path);
    if (std::find(walking_.begin(), walking_.end(), folder->Id()) != walking_.end()) {
      reporter_.Warning(reporter_.FileLine(path, " is a directory loop -- ignored"));
      return;
    }
    if (g_after_opening_folder) g_after_opening_folder(path);
    entries = folder->Entries();
  } catch (const fs::SystemError& e) {
    reporter_.FileError(path, fs::ReasonOf(e));
    return;
  }
  walking_.push_back(folder->Id());
  for (const std::string& entry : entries) TreatFile(folder->PathOf(entry), &*folder);
  walking_.pop_back();
}

void Session::ListStream(ByteSource& input, const std::string& input_name, const std::string& list_name,
                         std::int64_t file_time) {
  try {
    MemberReader reader(input, false);
    reader.SetWarningHandler([&](const StreamWarning& w) { ReportStreamWarning(reporter_, w, input_name); });
    std::optional<MemberHeader> header;
    std::uint64_t first_header_size = 0;
    try {
      header = reader.ReadFirstHeader();
      first_header_size = reader.HeaderSize();
      SayExtraField(input_name, *header);
    } catch (const StreamFault& fault) {
      listing_->Unreadable();
      ReportStreamFault(reporter_, fault, input_name, true);
      return;
    }
    DiscardSink discard;
    DecompressTotals totals;
    try {
      totals = reader.Decompress(discard);
    } catch (const StreamFault& fault) {
      // Cut short or corrupt data ends the run here; a CRC or length error
      // or a bad later member goes on, as -t does.
      ReportStreamFault(reporter_, fault, input_name, true);
      // GNU gzip's ratio then leaves out the header and trailer of a lone
      // first member, and nothing once past it.
      const bool trailer_checked = fault.Kind() == Fault::CrcError || fault.Kind() == Fault::LengthError ||
                                   fault.Kind() == Fault::CrcAndLengthError;
      const bool lone = trailer_checked && !reader.PastFirstMember();
      listing_->Damaged(lone ? first_header_size + format::kTrailerSize : 0);
      return;
    }
    if (totals.ending != Ending::EndOfInput) {
      // GNU gzip lists nothing for an input with more after its last member.
      ReportStreamEnding(reporter_, totals.ending, input_name, options_.verbose != 0);
      listing_->Damaged(0);
      return;
    }
    ListEntry entry;
    entry.method = totals.method == Method::Lzw ? "compr" : totals.method == Method::Pack ? "pack " : "defla";
    entry.crc = totals.crc;
    entry.time = !options_.no_time && totals.mtime != 0 ? std::int64_t{totals.mtime} : file_time;
    entry.compressed = totals.bytes_in;
    entry.uncompressed = totals.ratio_bytes_out;
    entry.header_bytes = totals.header_bytes;
    entry.name = !options_.no_name && header->name ? names::WithStoredName(list_name, *header->name) : list_name;
    listing_->Add(entry);
  } catch (const ReadError& e) {
    reporter_.FileFault(input_name, e.what());
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.FileError("stdout", e.what());
    throw EndRun{1};
  }
}

void Session::TreatFile(const std::string& operand, const fs::Folder* in) {
  if (operand == "-") {
    const bool to_stdout = options_.to_stdout;
    TreatStdin();
    options_.to_stdout = to_stdout;
    return;
  }
  std::string input_name;
  std::optional<fs::InputFile> input = OpenInput(operand, input_name, in);
  if (!input) return;
  const fs::FileStatus status = input->Status();
  if (status.kind == fs::FileKind::Directory && options_.recursive) {
    TreatFolder(*std::move(input), input_name);
    return;
  }
  if (!MayTreat(input_name, status)) return;
  const std::optional<std::string> output_name = OutputNameFor(input_name);
  if (!output_name) return;
  if (options_.list) {
    ListStream(*input, input_name, *output_name, status.modified.seconds);
    return;
  }

  FileJob job{in, *input, input_name, status, *output_name, std::nullopt};
  if (options_.decompress && !ReadFirstHeader(job)) return;
  std::optional<fs::PendingOutput> pending;
  if (!options_.to_stdout && !CreateOutput(job, pending)) return;
  DiscardSink discard;
  ByteSink& sink = pending         ? static_cast<ByteSink&>(*pending)
                   : options_.test ? static_cast<ByteSink&>(discard)
                                   : standard_output_;
  if (!store_name_) store_name_ = !options_.no_name;
  if (options_.verbose) reporter_.Say(input_name + ":\t");

  const std::optional<TransferTotals> totals = Transfer(job, sink);
  if (!totals) return;
  if (pending && !CommitOutput(*pending, job, totals->stored_time)) return;
  if (options_.verbose) SayDone(job, *totals);
}

// Reads the first header, so that the output's name is known before it is
// created (-N).
bool Session::ReadFirstHeader(FileJob& job) {
  job.reader.emplace(job.input, options_.force && options_.to_stdout);
  job.reader->SetWarningHandler(
      [this, name = job.input_name](const StreamWarning& w) { ReportStreamWarning(reporter_, w, name); });
  try {
    const MemberHeader& header = job.reader->ReadFirstHeader();
    if (!options_.no_name && !options_.to_stdout && header.name)
      job.output_name = names::WithStoredName(job.output_name, *header.name);
    SayExtraField(job.input_name, header);
    return true;
  } catch (const StreamFault& fault) {
    ReportStreamFault(reporter_, fault, job.input_name, options_.test);
    return false;
  } catch (const ReadError& e) {
    reporter_.FileFault(job.input_name, e.what());
    throw EndRun{1};
  }
}

void Session::SayExtraField(const std::string& input_name, const MemberHeader& header) {
  if (!options_.verbose || !header.extra_length) return;
  reporter_.Say(
      reporter_.FileLine(input_name, ": extra field of " + std::to_string(*header.extra_length) + " bytes ignored"));
}

bool Session::CreateOutput(const FileJob& job, std::optional<fs::PendingOutput>& pending) {
  const std::string& output_name = job.output_name;
  if (!options_.force && fs::NameExists(output_name, job.folder)) {
    reporter_.LoudWarning(reporter_.FileLine(output_name, " already exists;\tnot overwritten"));
    return false;
  }
  try {
    pending.emplace(fs::PendingOutput::CreateBeside(output_name, job.folder));
    return true;
  } catch (const fs::SystemError& e) {
    reporter_.FileError(output_name, fs::ReasonOf(e));
    return false;
  }
}

std::optional<TransferTotals> Session::Transfer(FileJob& job, ByteSink& sink) {
  TransferTotals totals;
  try {
    if (options_.decompress) {
      const DecompressTotals result = job.reader->Decompress(sink);
      ReportStreamEnding(reporter_, result.ending, job.input_name, options_.verbose != 0);
      totals = {result.bytes_in, result.ratio_bytes_out, result.header_bytes, result.mtime};
    } else {
      MemberFields fields;
      fields.level = options_.level;
      if (store_name_) fields.name = std::string(names::BaseName(job.input_name));
      std::optional<fs::Timestamp> modified;
      if (job.status.kind == fs::FileKind::Regular && !options_.no_time) modified = job.status.modified;
      fields.mtime = HeaderTime(reporter_, modified, job.input_name);
      const CompressTotals result = CompressMember(job.input, sink, fields);
      totals = {result.bytes_out, result.bytes_in, result.header_bytes, 0};
    }
    job.input.Close();
  } catch (const StreamFault& fault) {
    ReportStreamFault(reporter_, fault, job.input_name, options_.test, options_.to_stdout || options_.test);
    return std::nullopt;
  } catch (const ReadError& e) {
    reporter_.FileFault(job.input_name, e.what());
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.FileFault(job.output_name, e.what());
    throw EndRun{1};
  }
  return totals;
}

// Gives the complete output its name, then removes the input (unless -k).
bool Session::CommitOutput(fs::PendingOutput& pending, const FileJob& job, std::uint32_t stored_time) {
  // A decompressed file gets the time its member carries only with -N.
  fs::Timestamp output_time = job.status.modified;
  if (options_.decompress && !options_.no_time && stored_time != 0) output_time = {stored_time, 0};
  if (const std::optional<std::string> refused = pending.CopyMetadata(job.status, output_time))
    reporter_.FileWarning(job.output_name, *refused);
  try {
    pending.FlushAndClose();
    if (!pending.Commit(options_.force != 0)) {
      reporter_.LoudWarning(reporter_.FileLine(job.output_name, " already exists;\tnot overwritten"));
      return false;
    }
  } catch (const WriteError& e) {
    reporter_.FileFault(job.output_name, e.what());
    throw EndRun{1};
  } catch (const fs::SystemError& e) {
    reporter_.FileError(job.output_name, fs::ReasonOf(e));
    return false;
  }
  if (options_.keep) return true;
  try {
    fs::RemoveFile(job.input_name, job.folder);
  } catch (const fs::SystemError& e) {
    reporter_.FileWarning(job.input_name, fs::ReasonOf(e));
  }
  return true;
}

void Session::SayDone(const FileJob& job, const TransferTotals& totals) {
  if (options_.test) {
    reporter_.Say(" OK\n");
    return;
  }
  reporter_.Say(RatioText(totals.compressed, totals.uncompressed, totals.header_bytes) + " -- " +
                (options_.keep ? "created " : "replaced with ") + job.output_name + "\n");
}

}  // namespace gz
