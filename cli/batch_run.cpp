#include "batch_run.h"

#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "command_run.h"
#include "console_host.h"
#include "console_text.h"
#include "file_job.h"
#include "module_converter.h"
#include "module_format.h"
#include "report_line.h"
#include "state_files.h"
#include "stop_request.h"

namespace stavrel::cli {
namespace {

struct Tally {
  std::size_t done = 0;
  std::size_t failed = 0;
  std::size_t warned = 0;
};

struct JobWords {
  const wchar_t* verb;   // "convert"
  const wchar_t* done;   // "converted"
  const wchar_t* thing;  // "module"
};

JobWords WordsFor(Job job) {
  switch (job) {
    case Job::Convert: return {L"convert", L"converted", L"module"};
    case Job::Decompress: return {L"decompress", L"decompressed", L"state"};
    case Job::Recompress: return {L"recompress", L"recompressed", L"state"};
  }
  return {L"do", L"done", L"file"};
}

// What a result line starts with: "converted", or in a dry run "would convert".
std::wstring Done(const CliRequest& request) {
  const JobWords words = WordsFor(request.job);
  return request.dry_run ? std::wstring(L"would ") + words.verb : words.done;
}

// The shift with its sign, as a script compares it: "+256", "-5", "+0".
std::wstring SignedFactor(std::int32_t factor) {
  return (factor < 0 ? L"" : L"+") + std::to_wstring(factor);
}

// The core copies a module too small to convert unchanged; the copy is
// named, so that nobody takes it for a conversion.
CommandReport TooFewVariables(const FileJob& job, bool dry_run) {
  return {Severity::Error,
          L"At least 4 variables needed to convert",
          L"",
          L"",
          {(dry_run ? L"An unchanged copy would be written to "
                    : L"An unchanged copy was written to ") +
           job.typed_output + L"."}};
}

class Batch {
 public:
  Batch(const CliRequest& request, Platform& platform)
      : request_(request),
        platform_(platform),
        progress_(!request.quiet && IsTerminal(stderr)),
        host_(progress_) {}

  int Run();

 private:
  // Runs one file through the core; returns the result line, nothing when
  // the file failed or was stopped.
  std::optional<std::wstring> RunOne(const FileJob& job);
  std::vector<CommandReport> Convert(const FileJob& job, std::optional<std::wstring>& line);
  std::vector<CommandReport> Decompress(const FileJob& job, std::optional<std::wstring>& line);
  std::vector<CommandReport> Recompress(const FileJob& job, std::optional<std::wstring>& line);
  // Shows the file's reports; false when it failed.
  bool Report(const FileJob& job);
  bool OutputFolderMissing();
  void PrintSummary(std::size_t total);

  const CliRequest& request_;
  Platform& platform_;
  ProgressBar progress_;
  ConsoleHost host_;
  Tally tally_;
};

std::vector<CommandReport> Batch::Convert(const FileJob& job, std::optional<std::wstring>& line) {
  // The window's save dialog asks before it replaces a file; here nothing
  // asks, so an existing destination is kept unless --force says otherwise.
  ConvertRequest convert{job.input, job.output, TextFromArgument(request_.factor), request_.force};
  convert.whole_factor = true;
  const ConvertPlan plan = PlanConvert(convert, platform_);
  ConvertResult result;
  if (request_.dry_run) {
    result.variables = CountVariables(plan, platform_);
    result.converted = result.variables >= module_format::kMinimumVariables;
  } else {
    result = RunConvert(plan, host_, platform_);
  }
  if (!result.converted) return {TooFewVariables(job, request_.dry_run)};
  line = job.typed_input + L" -> " + job.typed_output + L" (" + std::to_wstring(result.variables) +
         L" variables, " + SignedFactor(plan.factor) + L")";
  return {};
}

std::vector<CommandReport> Batch::Decompress(const FileJob& job,
                                             std::optional<std::wstring>& line) {
  const std::wstring name = request_.name ? TextFromArgument(*request_.name) : L"";
  const DecompressPlan plan = PlanDecompress({job.input, name, request_.keep}, platform_);
  StateResult result{plan.names.final_name};
  if (!request_.dry_run) result = RunDecompress(plan, host_, platform_);
  line = job.typed_input + L" -> " + TypedSibling(job, result.final_name);
  return std::move(result.warnings);
}

std::vector<CommandReport> Batch::Recompress(const FileJob& job,
                                             std::optional<std::wstring>& line) {
  // --force compresses gzip data all the same; a file in the way stays refused.
  const CompressPlan plan =
      PlanCompress({job.input, request_.keep, request_.slot, !request_.force}, platform_);
  StateResult result{plan.names.final_name};
  if (!request_.dry_run) result = RunCompress(plan, host_, platform_);
  line = job.typed_input + L" -> " + TypedSibling(job, result.final_name);
  return std::move(result.warnings);
}

std::optional<std::wstring> Batch::RunOne(const FileJob& job) {
  std::optional<std::wstring> line;
  RunCommand(host_, [&]() -> std::vector<CommandReport> {
    if (job.refusal) throw CommandFailure(*job.refusal);
    switch (request_.job) {
      case Job::Convert: return Convert(job, line);
      case Job::Decompress: return Decompress(job, line);
      case Job::Recompress: return Recompress(job, line);
    }
    return {};
  });
  return line;
}

bool Batch::Report(const FileJob& job) {
  const std::map<std::wstring, std::wstring> typed{{job.input, job.typed_input},
                                                   {job.output, job.typed_output}};
  bool failed = false;
  for (CommandReport report : host_.Reports()) {
    failed = failed || report.severity == Severity::Error;
    if (report.refusal == Refusal::FileInTheWay && request_.job == Job::Convert)
      report.outcome.insert(report.outcome.begin(), L"Give --force to replace it.");
    if (report.refusal == Refusal::AlreadyCompressed)
      report.outcome.insert(report.outcome.begin(), L"Give --force to compress it all the same.");
    WriteLine(stderr, ReportLine(report, job.typed_input, typed));
  }
  if (failed) {
    ++tally_.failed;
    return false;
  }
  if (!host_.Reports().empty()) ++tally_.warned;
  ++tally_.done;
  return true;
}

void Batch::PrintSummary(std::size_t total) {
  if (request_.quiet || total < 2) return;
  const JobWords words = WordsFor(request_.job);
  std::wstring line = Done(request_) + L" " + std::to_wstring(tally_.done) + L" " + words.thing +
                      (tally_.done == 1 ? L"" : L"s");
  if (tally_.warned > 0) line += L" (" + std::to_wstring(tally_.warned) + L" with warnings)";
  line += L", " + std::to_wstring(tally_.failed) + (request_.dry_run ? L" would fail" : L" failed");
  WriteLine(stdout, line);
}

bool Batch::OutputFolderMissing() {
  if (!request_.output_dir || IsFolder(*request_.output_dir)) return false;
  WriteLine(stderr, std::wstring(kProgramName) + L": " +
                        ForDisplay(TextFromArgument(*request_.output_dir)) +
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
    host_.StartFile();
    const std::optional<std::wstring> result = RunOne(job);
    progress_.Clear();
    // Stopped before it was done: the core has left this file as it was and
    // said so if it could not. A file finished despite the stop counts as done.
    if (!result && StopRequested()) {
      --started;
      for (const CommandReport& report : host_.Reports())
        WriteLine(stderr, ReportLine(report, job.typed_input, {}));
      break;
    }
    if (Report(job) && result && !request_.quiet)
      WriteLine(stdout, Done(request_) + L" " + ForDisplay(*result));
  }
  PrintSummary(jobs.size());
  if (StopRequested()) {
    WriteLine(stderr, std::wstring(kProgramName) + L": stopped: " +
                          std::to_wstring(jobs.size() - started) + L" of " +
                          std::to_wstring(jobs.size()) + L" files not done and left as they were");
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
