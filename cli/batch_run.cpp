#include "batch_run.h"

#include <cstdio>
#include <map>

#include "command_run.h"
#include "console_operations.h"
#include "console_text.h"
#include "file_job.h"
#include "module_converter.h"
#include "report_line.h"
#include "state_files.h"
#include "state_names.h"
#include "stop_request.h"

namespace stavrel::cli {
namespace {

struct Tally {
  std::size_t done = 0;
  std::size_t failed = 0;
  std::size_t warned = 0;
};

struct JobWords {
  const wchar_t* done;   // "converted"
  const wchar_t* thing;  // "module"
};

JobWords WordsFor(Job job) {
  switch (job) {
    case Job::Convert: return {L"converted", L"module"};
    case Job::Decompress: return {L"decompressed", L"state"};
    case Job::Recompress: return {L"recompressed", L"state"};
  }
  return {L"done", L"file"};
}

class Batch {
 public:
  Batch(const CliRequest& request, Platform& platform)
      : request_(request), platform_(platform),
        progress_(!request.quiet && IsTerminal(stderr)), operations_(progress_) {}

  int Run();

 private:
  // Runs one file through the core; returns the result line, empty when the
  // file failed or was stopped.
  std::wstring RunOne(const FileJob& job);
  std::wstring Convert(const FileJob& job);
  std::wstring Decompress(const FileJob& job);
  std::wstring Recompress(const FileJob& job);
  // Shows the file's reports; false when it failed.
  bool Report(const FileJob& job);
  bool OutputFolderMissing();
  void PrintSummary(std::size_t total);

  const CliRequest& request_;
  Platform& platform_;
  ProgressBar progress_;
  ConsoleOperations operations_;
  Tally tally_;
};

std::wstring Batch::Convert(const FileJob& job) {
  const std::wstring factor = TextFromArgument(request_.factor);
  operations_.StartFile({{Box::Factor, factor}, {Box::File1, job.input}, {Box::File2, job.output}});
  // The window's save dialog asks before it replaces a file; here nothing
  // asks, so an existing destination is kept unless --force says otherwise.
  // The module itself given as destination is the core's to refuse.
  // In the core's boundary, so that a failed look at the file is reported
  // like any other failure.
  if (!request_.force) {
    RunCommand(operations_, [&] {
      if (platform_.NameTaken(job.output) && !platform_.SameFile(job.input, job.output))
        throw CommandFailure({Severity::Error, L"The file to write to exists.", job.output, L"",
                              L"Give --force to replace it. Nothing was written."});
    });
    if (!operations_.Reports().empty()) return L"";
  }
  ConvertToSnes9x(operations_, platform_, job.input,
                  request_.force ? ExistingDestination::Replace : ExistingDestination::Keep);
  const std::wstring variables = operations_.BoxText(Box::VarFound);
  return job.typed_input + L" -> " + job.typed_output + L" (" + variables + L" variables)";
}

std::wstring Batch::Decompress(const FileJob& job) {
  const std::wstring name = request_.name ? TextFromArgument(*request_.name) : L"";
  operations_.StartFile({{Box::Decompress, job.input}, {Box::FName, name}});
  stavrel::Decompress(operations_, platform_, job.input);
  try {
    return job.typed_input + L" -> " + TypedSibling(job, FormDecompressNames(job.input, name).final_name);
  } catch (const UnusableName&) {
    return L"";  // the core has reported it
  }
}

std::wstring Batch::Recompress(const FileJob& job) {
  operations_.StartFile({{Box::Compress, job.input}});
  Compress(operations_, platform_, job.input);
  try {
    return job.typed_input + L" -> " + TypedSibling(job, FormCompressNames(job.input).final_name);
  } catch (const UnusableName&) {
    return L"";
  }
}

std::wstring Batch::RunOne(const FileJob& job) {
  if (job.refusal) {
    operations_.StartFile({});
    operations_.Show(*job.refusal);
    return L"";
  }
  switch (request_.job) {
    case Job::Convert: return Convert(job);
    case Job::Decompress: return Decompress(job);
    case Job::Recompress: return Recompress(job);
  }
  return L"";
}

bool Batch::Report(const FileJob& job) {
  const std::map<std::wstring, std::wstring> typed{{job.input, job.typed_input},
                                                   {job.output, job.typed_output}};
  bool failed = false;
  for (const CommandReport& report : operations_.Reports()) {
    failed = failed || report.severity == Severity::Error;
    WriteLine(stderr, ReportLine(report, job.typed_input, typed));
  }
  if (failed) {
    ++tally_.failed;
    return false;
  }
  if (!operations_.Reports().empty()) ++tally_.warned;
  ++tally_.done;
  return true;
}

void Batch::PrintSummary(std::size_t total) {
  if (request_.quiet || total < 2) return;
  const JobWords words = WordsFor(request_.job);
  std::wstring line = std::wstring(words.done) + L" " + std::to_wstring(tally_.done) + L" " + words.thing +
                      (tally_.done == 1 ? L"" : L"s");
  if (tally_.warned > 0) line += L" (" + std::to_wstring(tally_.warned) + L" with warnings)";
  line += L", " + std::to_wstring(tally_.failed) + L" failed";
  WriteLine(stdout, line);
}

bool Batch::OutputFolderMissing() {
  if (!request_.output_dir || IsFolder(*request_.output_dir)) return false;
  WriteLine(stderr, std::wstring(kProgramName) + L": " + ForDisplay(TextFromArgument(*request_.output_dir)) +
                        L": The folder to write to does not exist. Nothing was written.");
  return true;
}

int Batch::Run() {
  if (OutputFolderMissing()) return 1;
  const std::vector<FileJob> jobs = FileJobs(request_);
  std::size_t started = 0;
  for (const FileJob& job : jobs) {
    if (StopRequested()) break;
    progress_.StartFile(started++, jobs.size(), ForDisplay(job.typed_input));
    const std::wstring result = RunOne(job);
    progress_.Clear();
    // Stopped: the core has left this file as it was and said so if it could not.
    if (operations_.Stopped()) {
      --started;
      for (const CommandReport& report : operations_.Reports())
        WriteLine(stderr, ReportLine(report, job.typed_input, {}));
      break;
    }
    if (Report(job) && !result.empty() && !request_.quiet)
      WriteLine(stdout, std::wstring(WordsFor(request_.job).done) + L" " + ForDisplay(result));
  }
  PrintSummary(jobs.size());
  if (StopRequested()) {
    WriteLine(stderr, std::wstring(kProgramName) + L": stopped: " + std::to_wstring(jobs.size() - started) +
                          L" of " + std::to_wstring(jobs.size()) +
                          L" files not done and left as they were");
    return kStoppedExitCode;
  }
  if (tally_.failed > 0) return 1;
  return tally_.warned > 0 ? 2 : 0;
}

}  // namespace

int RunBatch(const CliRequest& request, Platform& platform) {
  return Batch(request, platform).Run();
}

}  // namespace stavrel::cli
