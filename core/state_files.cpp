#include "state_files.h"

#include <vector>

#include "command_run.h"
#include "gzip_words.h"

namespace stavrel {
namespace {

constexpr int kGzipWarning = 2;

// The files a command makes on its way. On failure each one that exists is
// removed again, but only while the file it was made from still exists: a
// temporary that has become the only copy of the user's data is kept and
// named. What cannot be removed is named too.
class Temporaries {
 public:
  explicit Temporaries(Platform& platform) : platform_(platform) {}
  void Add(const std::wstring& path, const std::wstring& made_from) {
    entries_.push_back({path, made_from});
  }
  // Sentences about what stays behind; empty when nothing does.
  std::vector<std::wstring> RemoveAll() noexcept {
    std::vector<std::wstring> left;
    for (const auto& entry : entries_) {
      try {
        if (!platform_.FileExists(entry.path)) continue;
        if (!platform_.FileExists(entry.made_from)) {
          left.push_back(entry.made_from + L" is gone; its data is kept in " + entry.path + L".");
          continue;
        }
        platform_.RemoveFile(entry.path);
      } catch (const SystemError& error) {
        left.push_back(L"The temporary file " + entry.path + L" could not be removed (" +
                       error.Reason() + L"); delete it by hand.");
      } catch (...) {
        left.push_back(L"The temporary file " + entry.path + L" may remain; delete it by hand.");
      }
    }
    entries_.clear();
    return left;
  }

 private:
  struct Entry {
    std::wstring path;
    std::wstring made_from;
  };
  Platform& platform_;
  std::vector<Entry> entries_;
};

// Tells the host, for the length of a wait, which file gzip works on.
class BackgroundWork {
 public:
  BackgroundWork(Host& host, const std::wstring& file) : host_(host) {
    host_.SetBackgroundWork(file);
  }
  ~BackgroundWork() { host_.SetBackgroundWork(L""); }
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

 private:
  Host& host_;
};

// One run of gzip: what it reads (and removes once its output is complete)
// and what it makes, with the words for a report.
struct GzipStep {
  std::wstring input;
  std::wstring output;
  std::wstring step;     // "decompress the state"
  std::wstring file;     // the user's file
  std::wstring outcome;  // what became of the user's file if this step fails
};

class StateCommand {
 public:
  StateCommand(Host& host, Platform& platform)
      : host_(host), platform_(platform), temporaries_(platform) {}

  StateResult Decompress(const DecompressPlan& plan);
  StateResult Compress(const CompressPlan& plan);

 private:
  // What gzip said goes with every report that follows its run.
  CommandReport WithGzipWords(CommandReport report) const;
  // Throws the report, after removing this run's temporary files.
  [[noreturn]] void Fail(CommandReport report);
  [[noreturn]] void Fail(const std::wstring& summary, const SystemError& error,
                         const std::wstring& outcome);
  // Stops gzip at the user's request. Returns normally when gzip turns out
  // to have finished: its input is gone and the output holds the data, so
  // the command is finished rather than abandoned.
  void StopGzip(ChildProcess& child, const GzipStep& step);
  // Runs gzip to its end while the host keeps working; returns a warning to
  // show, or throws when gzip failed or made no output.
  std::wstring RunGzip(const ProcessLaunch& launch, const GzipStep& step);

  Host& host_;
  Platform& platform_;
  Temporaries temporaries_;
  std::wstring gzip_said_;
};

// The report names the user's file; gzip names the files it was given.
std::wstring GzipWords(ChildProcess& child, const GzipStep& step) {
  return WithoutGivenNames(child.ErrorOutput(), {step.input, step.output});
}

CommandReport StateCommand::WithGzipWords(CommandReport report) const {
  if (!gzip_said_.empty() && report.reason.find(gzip_said_) == std::wstring::npos)
    report.gzip_said = gzip_said_;
  return report;
}

void StateCommand::Fail(CommandReport report) {
  std::vector<std::wstring> left = temporaries_.RemoveAll();
  report = WithGzipWords(std::move(report));
  report.left_behind.insert(report.left_behind.end(), left.begin(), left.end());
  throw CommandFailure(std::move(report));
}

void StateCommand::Fail(const std::wstring& summary, const SystemError& error,
                        const std::wstring& outcome) {
  Fail(SystemFailure(summary, error, outcome));
}

void StateCommand::StopGzip(ChildProcess& child, const GzipStep& step) {
  try {
    child.Kill();
  } catch (const SystemError& error) {
    Fail(L"Could not stop gzip.exe.", error, L"");
  }
  if (!platform_.FileExists(step.input) && platform_.FileExists(step.output)) {
    gzip_said_ = GzipWords(child, step);
    return;
  }
  std::vector<std::wstring> left = temporaries_.RemoveAll();
  if (left.empty()) throw CommandStopped();
  throw CommandFailure(
      {Severity::Error, L"gzip.exe was stopped.", step.file, L"", {}, L"", std::move(left)});
}

std::wstring StateCommand::RunGzip(const ProcessLaunch& launch, const GzipStep& step) {
  std::unique_ptr<ChildProcess> child;
  try {
    child = platform_.StartProcess(launch);
  } catch (const SystemError& error) {
    Fail(L"Could not start gzip.exe to " + step.step + L".", error, step.outcome);
  }
  std::optional<int> exit_code;
  try {
    BackgroundWork working(host_, step.file);
    exit_code = child->Wait([&] {
      host_.ShowBytesWritten(child->BytesWritten());
      return host_.ProcessPendingEvents();
    });
  } catch (const SystemError& error) {
    child->Kill();
    Fail(L"Could not wait for gzip.exe to " + step.step + L".", error, step.outcome);
  }
  if (!exit_code) {
    StopGzip(*child, step);
    return L"";
  }
  gzip_said_ = GzipWords(*child, step);
  const bool made_output = platform_.FileExists(step.output);
  if (*exit_code == 0 && made_output) return L"";
  if (*exit_code == kGzipWarning && made_output) return gzip_said_;
  std::wstring reason = gzip_said_;
  if (reason.empty())
    reason = *exit_code == 0 ? L"gzip.exe made no output"
                             : L"gzip.exe ended with exit code " + std::to_wstring(*exit_code) +
                                   L" and no message";
  Fail({Severity::Error,
        L"gzip.exe could not " + step.step + L".",
        step.file,
        reason,
        {step.outcome}});
}

StateResult StateCommand::Decompress(const DecompressPlan& plan) {
  const DecompressNames& names = plan.names;
  const std::wstring kept = L"The state file " + plan.state + L" is unchanged.";
  temporaries_.Add(names.compressed, plan.state);
  try {
    platform_.CopyFile(plan.state, names.compressed, /*replace=*/false);
  } catch (const SystemError& error) {
    Fail(L"Could not copy the state to a temporary file.", error, kept);
  }

  temporaries_.Add(names.decompressed, plan.state);
  const std::wstring warning = RunGzip(
      plan.gzip, {names.compressed, names.decompressed, L"decompress the state", plan.state, kept});

  // gzip has made its output durable before naming it, so the state itself
  // may now be replaced by it.
  try {
    platform_.RenameFile(names.decompressed, names.final_name, /*replace=*/plan.replaces_state);
  } catch (const SystemError& error) {
    Fail(L"Could not give the decompressed state its name.", error, kept);
  }
  // gzip removes its input when it succeeds; a warning may leave it.
  std::vector<std::wstring> left = temporaries_.RemoveAll();

  if (!plan.replaces_state && !plan.keeps_state) {
    try {
      platform_.RemoveFile(plan.state);
    } catch (const SystemError& error) {
      CommandReport report =
          SystemFailure(L"The state was decompressed to " + names.final_name +
                            L", but the compressed state file could not be deleted.",
                        error, L"Both files are complete; delete the compressed one by hand.");
      report.outcome.insert(report.outcome.end(), left.begin(), left.end());
      Fail(std::move(report));
    }
  }
  StateResult result{names.final_name};
  if (!warning.empty() || !left.empty())
    result.warnings.push_back({Severity::Warning,
                               L"The state was decompressed to " + names.final_name + L".",
                               plan.state,
                               warning,
                               {},
                               L"",
                               std::move(left)});
  return result;
}

StateResult StateCommand::Compress(const CompressPlan& plan) {
  const CompressNames& names = plan.names;
  temporaries_.Add(names.compressed, plan.file);
  const std::wstring warning =
      RunGzip(plan.gzip, {plan.file, names.compressed, L"compress the state", plan.file,
                          L"The file " + plan.file + L" is unchanged."});
  try {
    platform_.RenameFile(names.compressed, names.final_name, /*replace=*/plan.replaces_input);
  } catch (const SystemError& error) {
    // gzip has removed the original: the data is in its output now.
    throw CommandFailure(WithGzipWords(SystemFailure(
        L"Could not give the compressed state its name.", error,
        L"The compressed state is complete in " + names.compressed + L"; rename it by hand.")));
  }
  StateResult result{names.final_name};
  if (!warning.empty())
    result.warnings.push_back({Severity::Warning,
                               L"The state was compressed to " + names.final_name + L".", plan.file,
                               warning});
  return result;
}

}  // namespace

StateResult RunDecompress(const DecompressPlan& plan, Host& host, Platform& platform) {
  return StateCommand(host, platform).Decompress(plan);
}

StateResult RunCompress(const CompressPlan& plan, Host& host, Platform& platform) {
  return StateCommand(host, platform).Compress(plan);
}

}  // namespace stavrel
