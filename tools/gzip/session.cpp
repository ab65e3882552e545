#include "session.h"

#include "gzip_format.h"
#include "member_writer.h"
#include "names.h"
#include "ratio.h"
#include "stream_report.h"

namespace gz {
namespace {

struct Totals {
  std::uint64_t bytes_in = 0;
  std::uint64_t bytes_out = 0;
  std::uint64_t header_bytes = 0;
};

std::string compress_ratio(const Totals& t) {
  const auto in = static_cast<std::int64_t>(t.bytes_in);
  return ratio_text(in - (static_cast<std::int64_t>(t.bytes_out) - static_cast<std::int64_t>(t.header_bytes)), in);
}

std::string decompress_ratio(const Totals& t) {
  const auto out = static_cast<std::int64_t>(t.bytes_out);
  return ratio_text(out - (static_cast<std::int64_t>(t.bytes_in) - static_cast<std::int64_t>(t.header_bytes)), out);
}

}  // namespace

void Session::run() {
  if (options_.list) listing_.emplace(standard_output_, options_.verbose != 0, options_.quiet);
  if (options_.operands.empty()) {
    treat_stdin();
  } else {
    for (const std::string& operand : options_.operands) treat_file(operand);
  }
  // Totals follow when several operands were named, however many files a
  // folder held: GNU gzip counts them so.
  if (!listing_ || options_.operands.size() < 2) return;
  try {
    listing_->Finish();
  } catch (const WriteError& e) {
    reporter_.error(reporter_.program() + ": stdout: " + e.what() + "\n");
    throw EndRun{1};
  }
}

void Session::treat_stdin() {
  const bool decompress = options_.decompress;
  if (!options_.force &&
      (options_.presume_input_tty ||
       fs::is_terminal(decompress ? fs::StandardStream::Input : fs::StandardStream::Output))) {
    if (!options_.quiet) {
      reporter_.say(reporter_.program() + ": compressed data not " + (decompress ? "read from" : "written to") +
                    " a terminal. Use -f to force " + (decompress ? "de" : "") + "compression.\nFor help, type: " +
                    reporter_.program() + " -h\n");
    }
    throw EndRun{1};
  }

  const std::string input_name = "stdin";
  const std::string output_name = "stdout";
  fs::StandardInput input;
  DiscardSink discard;
  ByteSink& sink = options_.test ? static_cast<ByteSink&>(discard) : standard_output_;

  std::optional<fs::Timestamp> file_time;
  try {
    const fs::FileStatus status = input.status();
    if (status.kind == fs::FileKind::Regular) file_time = status.modified;
  } catch (const fs::SystemError& e) {
    reporter_.error(reporter_.program() + ": standard input: " + e.what() + "\n");
    throw EndRun{1};
  }
  if (options_.list) {
    ListStream(input, input_name, output_name, file_time ? file_time->seconds : 0);
    return;
  }
  const std::optional<fs::Timestamp> modified = options_.no_time ? std::nullopt : file_time;

  try {
    if (decompress) {
      MemberReader reader(input, options_.force != 0);
      try {
        reader.read_first_header();
      } catch (const StreamFault& fault) {
        report_stream_fault(reporter_, fault, input_name, options_.test);
        // Any fault in standard input's first header ends the run.
        throw EndRun{reporter_.exit_status()};
      }
      const DecompressTotals totals = reader.decompress(sink);
      report_stream_ending(reporter_, totals.ending, input_name, options_.verbose != 0);
      // GNU gzip says nothing more about standard input after trailing data.
      if (totals.ending != Ending::EndOfInput) return;
    } else {
      MemberFields fields;
      fields.level = options_.level;
      if (store_name_) fields.name = input_name;
      fields.mtime = header_time(reporter_, modified, input_name);
      const CompressTotals totals = compress_member(input, sink, fields);
      if (options_.verbose)
        reporter_.say(compress_ratio({totals.bytes_in, totals.bytes_out, totals.header_bytes}) + "\n");
    }
  } catch (const StreamFault& fault) {
    report_stream_fault(reporter_, fault, input_name, options_.test);
    return;
  } catch (const ReadError& e) {
    reporter_.error("\n" + reporter_.program() + ": " + input_name + ": " + e.what() + "\n");
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.error("\n" + reporter_.program() + ": " + output_name + ": " + e.what() + "\n");
    throw EndRun{1};
  }
  if (options_.verbose && options_.test) reporter_.say(" OK\n");
}

std::optional<fs::InputFile> Session::open_input(const std::string& operand, std::string& input_name) {
  const bool follow_links = options_.to_stdout || options_.force;
  const std::string& program = reporter_.program();
  input_name = operand;
  try {
    return fs::InputFile::open(operand, follow_links);
  } catch (const fs::SystemError& e) {
    if (!options_.decompress || !e.not_found()) {
      reporter_.error(program + ": " + operand + ": " + e.what() + "\n");
      return std::nullopt;
    }
    // "gzip -d a" also finds a.gz (or a.z, a-z, a.Z); a failure is told
    // about the name with the suffix in use.
    const std::vector<std::string> candidates = names::decompress_candidates(operand, options_.suffix);
    if (candidates.empty()) {
      reporter_.error(program + ": " + operand + ": " + e.what() + "\n");
      return std::nullopt;
    }
    std::string first_reason = e.what();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      try {
        input_name = candidates[i];
        return fs::InputFile::open(candidates[i], follow_links);
      } catch (const fs::SystemError& tried) {
        if (!tried.not_found()) {
          reporter_.error(program + ": " + candidates[i] + ": " + tried.what() + "\n");
          return std::nullopt;
        }
        if (i == 0) first_reason = tried.what();
      }
    }
    reporter_.error(program + ": " + candidates.front() + ": " + first_reason + "\n");
    return std::nullopt;
  }
}

bool Session::may_treat(const std::string& input_name, const fs::FileStatus& status) {
  const std::string& program = reporter_.program();
  if (status.kind == fs::FileKind::Directory) {
    reporter_.warning(program + ": " + input_name + " is a directory -- ignored\n");
    return false;
  }
  if (options_.to_stdout) return true;
  if (status.kind != fs::FileKind::Regular) {
    reporter_.warning(program + ": " + input_name + " is not a directory or a regular file - ignored\n");
    return false;
  }
  if (status.set_user_id) {
    reporter_.warning(program + ": " + input_name + " is set-user-ID on execution - ignored\n");
    return false;
  }
  if (status.set_group_id) {
    reporter_.warning(program + ": " + input_name + " is set-group-ID on execution - ignored\n");
    return false;
  }
  if (options_.force) return true;
  if (status.sticky) {
    reporter_.warning(program + ": " + input_name + " has the sticky bit set - file ignored\n");
    return false;
  }
  if (status.links >= 2) {
    // Removing the input would not free the data: other names keep it.
    const std::uint64_t others = status.links - 1;
    reporter_.warning(program + ": " + input_name + " has " + std::to_string(others) + " other link" +
                      (others == 1 ? "" : "s") + " -- file ignored\n");
    return false;
  }
  return true;
}

std::optional<std::string> Session::output_name_for(const std::string& input_name) {
  const std::string& program = reporter_.program();
  if (options_.to_stdout && !options_.test && !options_.list) return "stdout";
  // A walk through folders passes over names quietly unless -v.
  const bool tell = options_.verbose || (!options_.recursive && !options_.quiet);
  if (options_.decompress) {
    std::optional<std::string> name = names::decompressed_name(input_name, options_.suffix);
    if (name) return name;
    // -t and -l take a named file whatever it is called; -r only takes
    // compressed names, even among its operands.
    if ((options_.test || options_.list) && !options_.recursive) return input_name;
    if (tell) reporter_.warning(program + ": " + input_name + ": unknown suffix -- ignored\n");
    return std::nullopt;
  }
  const std::string_view suffix = names::find_suffix(input_name, options_.suffix);
  if (!suffix.empty() && !options_.force) {
    if (tell)
      reporter_.say(program + ": " + input_name + " already has " + std::string(suffix) + " suffix -- unchanged\n");
    return std::nullopt;
  }
  return input_name + options_.suffix;
}

void Session::TreatFolder(const std::string& path) {
  std::vector<std::string> entries;
  try {
    entries = fs::FolderEntries(path);
  } catch (const fs::SystemError& e) {
    reporter_.error(reporter_.program() + ": " + path + ": " + e.what() + "\n");
    return;
  }
  const std::string prefix = fs::EndsWithSeparator(path) ? path : path + "/";
  for (const std::string& entry : entries) treat_file(prefix + entry);
}

void Session::ListStream(ByteSource& input, const std::string& input_name, const std::string& list_name,
                         std::int64_t file_time) {
  try {
    MemberReader reader(input, false);
    std::optional<MemberHeader> header;
    std::uint64_t first_header_size = 0;
    try {
      header = reader.read_first_header();
      first_header_size = reader.header_size();
    } catch (const StreamFault& fault) {
      listing_->Unreadable();
      report_stream_fault(reporter_, fault, input_name, true);
      return;
    }
    DiscardSink discard;
    DecompressTotals totals;
    try {
      totals = reader.decompress(discard);
    } catch (const StreamFault& fault) {
      // Cut short or corrupt data ends the run here; a CRC or length error
      // or a bad later member goes on, as -t does.
      report_stream_fault(reporter_, fault, input_name, true);
      // GNU gzip's ratio then leaves out the header read first and a
      // trailer, taken here as the first member's.
      const bool trailer_checked = fault.fault() == Fault::CrcError || fault.fault() == Fault::LengthError ||
                                   fault.fault() == Fault::CrcAndLengthError;
      listing_->Damaged(trailer_checked ? first_header_size + format::kTrailerSize : 0);
      return;
    }
    if (totals.ending != Ending::EndOfInput) {
      // GNU gzip lists nothing for an input with more after its last member.
      report_stream_ending(reporter_, totals.ending, input_name, options_.verbose != 0);
      listing_->Damaged(0);
      return;
    }
    ListEntry entry;
    entry.crc = totals.crc;
    entry.time = !options_.no_time && totals.mtime != 0 ? std::int64_t{totals.mtime} : file_time;
    entry.compressed = totals.bytes_in;
    entry.uncompressed = totals.ratio_bytes_out;
    entry.header_bytes = totals.header_bytes;
    entry.name = !options_.no_name && header->name ? names::with_stored_name(list_name, *header->name) : list_name;
    listing_->Add(entry);
  } catch (const ReadError& e) {
    reporter_.error("\n" + reporter_.program() + ": " + input_name + ": " + e.what() + "\n");
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.error(reporter_.program() + ": stdout: " + e.what() + "\n");
    throw EndRun{1};
  }
}

void Session::treat_file(const std::string& operand) {
  if (operand == "-") {
    const bool to_stdout = options_.to_stdout;
    treat_stdin();
    options_.to_stdout = to_stdout;
    return;
  }
  const std::string& program = reporter_.program();
  std::string input_name;
  std::optional<fs::InputFile> input = open_input(operand, input_name);
  if (!input) return;
  const fs::FileStatus status = input->status();
  if (status.kind == fs::FileKind::Directory && options_.recursive) {
    input.reset();
    TreatFolder(input_name);
    return;
  }
  if (!may_treat(input_name, status)) return;
  std::optional<fs::Timestamp> modified;
  if (status.kind == fs::FileKind::Regular && !options_.no_time) modified = status.modified;

  std::optional<std::string> output_name = output_name_for(input_name);
  if (!output_name) return;
  if (options_.list) {
    ListStream(*input, input_name, *output_name, status.modified.seconds);
    return;
  }

  std::optional<MemberReader> reader;
  if (options_.decompress) {
    reader.emplace(*input, options_.force && options_.to_stdout);
    try {
      const MemberHeader& header = reader->read_first_header();
      if (!options_.no_name && !options_.to_stdout && header.name)
        output_name = names::with_stored_name(*output_name, *header.name);
      if (options_.verbose && header.extra_length) {
        reporter_.say(program + ": " + input_name + ": extra field of " + std::to_string(*header.extra_length) +
                      " bytes ignored\n");
      }
    } catch (const StreamFault& fault) {
      report_stream_fault(reporter_, fault, input_name, options_.test);
      return;
    } catch (const ReadError& e) {
      reporter_.error("\n" + program + ": " + input_name + ": " + e.what() + "\n");
      throw EndRun{1};
    }
  }

  DiscardSink discard;
  std::optional<fs::PendingOutput> pending;
  ByteSink* sink = options_.test ? static_cast<ByteSink*>(&discard) : &standard_output_;
  if (!options_.to_stdout) {
    if (!options_.force && fs::name_exists(*output_name)) {
      reporter_.loud_warning(program + ": " + *output_name + " already exists;\tnot overwritten\n");
      return;
    }
    try {
      pending.emplace(fs::PendingOutput::create_beside(*output_name));
    } catch (const fs::SystemError& e) {
      reporter_.error(program + ": " + *output_name + ": " + e.what() + "\n");
      return;
    }
    sink = &*pending;
  }
  if (!store_name_) store_name_ = !options_.no_name;
  if (options_.verbose) reporter_.say(input_name + ":\t");

  Totals totals;
  std::uint32_t stored_time = 0;
  try {
    if (options_.decompress) {
      const DecompressTotals result = reader->decompress(*sink);
      report_stream_ending(reporter_, result.ending, input_name, options_.verbose != 0);
      totals = {result.bytes_in, result.ratio_bytes_out, result.header_bytes};
      stored_time = result.mtime;
    } else {
      MemberFields fields;
      fields.level = options_.level;
      if (store_name_) fields.name = std::string(names::base_name(input_name));
      fields.mtime = header_time(reporter_, modified, input_name);
      const CompressTotals result = compress_member(*input, *sink, fields);
      totals = {result.bytes_in, result.bytes_out, result.header_bytes};
    }
    input->close();
  } catch (const StreamFault& fault) {
    report_stream_fault(reporter_, fault, input_name, options_.test);
    return;
  } catch (const ReadError& e) {
    reporter_.error("\n" + program + ": " + input_name + ": " + e.what() + "\n");
    throw EndRun{1};
  } catch (const WriteError& e) {
    reporter_.error("\n" + program + ": " + *output_name + ": " + e.what() + "\n");
    throw EndRun{1};
  }

  if (pending) {
    // A decompressed file gets the time its member carries only with -N.
    fs::Timestamp output_time = status.modified;
    if (options_.decompress && !options_.no_time && stored_time != 0) output_time = {stored_time, 0};
    if (const std::optional<std::string> refused = pending->copy_metadata(status, output_time))
      reporter_.warning(program + ": " + *output_name + ": " + *refused + "\n");
    try {
      pending->flush_and_close();
      if (!pending->commit(options_.force != 0)) {
        reporter_.loud_warning(program + ": " + *output_name + " already exists;\tnot overwritten\n");
        return;
      }
    } catch (const WriteError& e) {
      reporter_.error("\n" + program + ": " + *output_name + ": " + e.what() + "\n");
      throw EndRun{1};
    } catch (const fs::SystemError& e) {
      reporter_.error(program + ": " + *output_name + ": " + e.what() + "\n");
      return;
    }
    if (!options_.keep) {
      try {
        fs::remove_file(input_name);
      } catch (const fs::SystemError& e) {
        reporter_.warning(program + ": " + input_name + ": " + e.what() + "\n");
      }
    }
  }

  if (options_.verbose) {
    if (options_.test) {
      reporter_.say(" OK\n");
    } else {
      reporter_.say((options_.decompress ? decompress_ratio(totals) : compress_ratio(totals)) + " -- " +
                    (options_.keep ? "created " : "replaced with ") + *output_name + "\n");
    }
  }
}

}  // namespace gz
