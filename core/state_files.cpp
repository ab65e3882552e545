#include "state_files.h"

#include <vector>

#include "command_run.h"
#include "path_names.h"
#include "state_names.h"

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
  std::wstring RemoveAll() noexcept {
    std::wstring left;
    for (const auto& entry : entries_) {
      try {
        if (!platform_.FileExists(entry.path)) continue;
        if (!platform_.FileExists(entry.made_from)) {
          left += L"\r\n" + entry.made_from + L" is gone; its data is kept in " + entry.path + L".";
          continue;
        }
        platform_.RemoveFile(entry.path);
      } catch (const SystemError& error) {
        left += L"\r\nThe temporary file " + entry.path + L" could not be removed (" +
                error.Reason() + L"); delete it by hand.";
      } catch (...) {
        left += L"\r\nThe temporary file " + entry.path + L" may remain; delete it by hand.";
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

// Tells the window, for the length of a wait, which file gzip works on.
class BackgroundWork {
 public:
  BackgroundWork(WindowOperations& window, const std::wstring& file) : window_(window) {
    window_.SetBackgroundWork(file);
  }
  ~BackgroundWork() { window_.SetBackgroundWork(L""); }
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

 private:
  WindowOperations& window_;
};

class StateCommand {
 public:
  StateCommand(WindowOperations& window, Platform& platform)
      : window_(window), platform_(platform), temporaries_(platform) {}

  void Decompress(const std::wstring& state);
  void Compress(const std::wstring& path);

 private:
  std::wstring FindGzip();
  // Where gzip runs: the input's folder when a process can start there; in a
  // deeper folder gzip is given full names and runs in Stavrel's folder.
  std::wstring WorkingFolderFor(const std::wstring& input_folder);
  void RequireExisting(const std::wstring& path, const std::wstring& what);
  void RefuseExisting(const std::wstring& path);
  // True when `final_name` is `input` itself (any spelling), which the
  // command may replace; any other existing file there is refused.
  bool FinalNameIsInput(const std::wstring& final_name, const std::wstring& input);
  // What gzip said goes with every report that follows its run.
  CommandReport WithGzipWords(CommandReport report) const;
  // Throws the report, after removing this run's temporary files.
  [[noreturn]] void Fail(CommandReport report);
  [[noreturn]] void Fail(const std::wstring& summary, const SystemError& error,
                         const std::wstring& outcome);
  [[noreturn]] void StopGzip(ChildProcess& child, const std::wstring& file);
  // Runs gzip to its end while the window keeps working; returns a warning
  // to show, or throws when gzip failed or made no output.
  std::wstring RunGzip(const ProcessLaunch& launch, const std::wstring& output,
                       const std::wstring& step, const std::wstring& file,
                       const std::wstring& outcome);

  WindowOperations& window_;
  Platform& platform_;
  Temporaries temporaries_;
  std::wstring gzip_said_;
};

CommandReport StateCommand::WithGzipWords(CommandReport report) const {
  if (!gzip_said_.empty() && report.reason.find(gzip_said_) == std::wstring::npos)
    report.outcome += (report.outcome.empty() ? L"" : L"\r\n\r\n") + (L"gzip.exe said:\r\n" + gzip_said_);
  return report;
}

void StateCommand::Fail(CommandReport report) {
  const std::wstring left = temporaries_.RemoveAll();
  report = WithGzipWords(std::move(report));
  report.outcome += left;
  throw CommandFailure(std::move(report));
}

void StateCommand::Fail(const std::wstring& summary, const SystemError& error,
                        const std::wstring& outcome) {
  Fail(SystemFailure(summary, error, outcome));
}

std::wstring StateCommand::FindGzip() {
  std::wstring looked;
  for (const std::wstring& place : platform_.GzipLocations()) {
    if (platform_.FileExists(place)) return place;
    looked += (looked.empty() ? L"" : L" or ") + place;
  }
  Fail({Severity::Error, L"Stavrel's gzip was not found at " + looked + L".", L"", L"",
        L"Reinstall Stavrel. Nothing was changed."});
}

std::wstring StateCommand::WorkingFolderFor(const std::wstring& input_folder) {
  if (input_folder.size() <= kLongestWorkingFolder) return input_folder;
  return platform_.ProgramFolder();
}

void StateCommand::RequireExisting(const std::wstring& path, const std::wstring& what) {
  if (!platform_.FileExists(path))
    Fail({Severity::Error, L"The " + what + L" does not exist.", path, L"", L"Nothing was changed."});
}

void StateCommand::RefuseExisting(const std::wstring& path) {
  if (platform_.FileExists(path))
    Fail({Severity::Error, L"A file is in the way.", path, L"",
          L"Stavrel does not overwrite files it did not make: move or rename it, then try again. "
          L"Nothing was changed."});
}

bool StateCommand::FinalNameIsInput(const std::wstring& final_name, const std::wstring& input) {
  if (platform_.FileExists(final_name) && platform_.SameFile(final_name, input)) return true;
  RefuseExisting(final_name);
  return false;
}

void StateCommand::StopGzip(ChildProcess& child, const std::wstring& file) {
  try {
    child.Kill();
  } catch (const SystemError& error) {
    Fail(L"Could not stop gzip.exe.", error, L"");
  }
  const std::wstring left = temporaries_.RemoveAll();
  if (left.empty()) throw CommandStopped();
  throw CommandFailure({Severity::Error, L"gzip.exe was stopped.", file, L"", left.substr(2)});
}

std::wstring StateCommand::RunGzip(const ProcessLaunch& launch, const std::wstring& output,
                                   const std::wstring& step, const std::wstring& file,
                                   const std::wstring& outcome) {
  std::unique_ptr<ChildProcess> child;
  try {
    child = platform_.StartProcess(launch);
  } catch (const SystemError& error) {
    Fail(L"Could not start gzip.exe to " + step + L".", error, outcome);
  }
  std::optional<int> exit_code;
  try {
    BackgroundWork working(window_, file);
    exit_code = child->Wait([this] { return window_.ProcessPendingEvents(); });
  } catch (const SystemError& error) {
    child->Kill();
    Fail(L"Could not wait for gzip.exe to " + step + L".", error, outcome);
  }
  if (!exit_code) StopGzip(*child, file);
  gzip_said_ = child->ErrorOutput();
  const bool made_output = platform_.FileExists(output);
  if (*exit_code == 0 && made_output) return L"";
  if (*exit_code == kGzipWarning && made_output) return gzip_said_;
  std::wstring reason = gzip_said_;
  if (reason.empty())
    reason = *exit_code == 0 ? L"gzip.exe made no output"
                             : L"gzip.exe ended with exit code " + std::to_wstring(*exit_code) +
                                   L" and no message";
  Fail({Severity::Error, L"gzip.exe could not " + step + L".", file, reason, outcome});
}

void StateCommand::Decompress(const std::wstring& state) {
  DecompressNames names;
  try {
    names = FormDecompressNames(state, window_.BoxText(Box::FName));
  } catch (const UnusableName& error) {
    Fail({Severity::Error,
          L"No name for the decompressed state can be formed from \"" + error.Name() +
              L"\": it must be a file name without a folder, longer than the three characters "
              L"that \"sds\" replaces.",
          L"", L"", L"Nothing was changed."});
  }
  const std::wstring gzip = FindGzip();
  RequireExisting(state, L"state file");
  RefuseExisting(names.compressed);
  RefuseExisting(names.decompressed);
  const bool replaces_state = FinalNameIsInput(names.final_name, state);

  const std::wstring kept = L"The state file " + state + L" is unchanged.";
  temporaries_.Add(names.compressed, state);
  try {
    platform_.CopyFile(state, names.compressed, /*replace=*/false);
  } catch (const SystemError& error) {
    Fail(L"Could not copy the state to a temporary file.", error, kept);
  }

  temporaries_.Add(names.decompressed, state);
  ProcessLaunch launch{gzip, DecompressCommandLine(gzip, names), WorkingFolderFor(names.folder),
                       {std::begin(kGzipEnvironment), std::end(kGzipEnvironment)}};
  const std::wstring warning =
      RunGzip(launch, names.decompressed, L"decompress the state", state, kept);

  // gzip has made its output durable before naming it, so the state itself
  // may now be replaced by it.
  try {
    platform_.RenameFile(names.decompressed, names.final_name, /*replace=*/replaces_state);
  } catch (const SystemError& error) {
    Fail(L"Could not give the decompressed state its name.", error, kept);
  }
  // gzip removes its input when it succeeds; a warning may leave it.
  const std::wstring left = temporaries_.RemoveAll();

  if (!replaces_state) {
    try {
      platform_.RemoveFile(state);
    } catch (const SystemError& error) {
      Fail(L"The state was decompressed to " + names.final_name +
               L", but the compressed state file could not be deleted.",
           error, L"Both files are complete; delete the compressed one by hand." + left);
    }
  }
  if (!warning.empty() || !left.empty())
    throw CommandFailure({Severity::Warning,
                          L"The state was decompressed to " + names.final_name + L".", state,
                          warning, left.empty() ? L"" : left.substr(2)});
}

void StateCommand::Compress(const std::wstring& path) {
  CompressNames names;
  try {
    names = FormCompressNames(path);
  } catch (const UnusableName& error) {
    Fail({Severity::Error,
          L"No name for the compressed state can be formed from \"" + error.Name() +
              L"\": it must be longer than the three characters that \"000\" replaces.",
          path, L"", L"Nothing was changed."});
  }
  const std::wstring gzip = FindGzip();
  RequireExisting(path, L"file to compress");
  RefuseExisting(names.compressed);
  const bool replaces_input = FinalNameIsInput(names.final_name, path);

  temporaries_.Add(names.compressed, path);
  ProcessLaunch launch{gzip, CompressCommandLine(gzip, path), WorkingFolderFor(RootDir(path)),
                       {std::begin(kGzipEnvironment), std::end(kGzipEnvironment)}};
  const std::wstring warning = RunGzip(launch, names.compressed, L"compress the state", path,
                                       L"The file " + path + L" is unchanged.");
  try {
    platform_.RenameFile(names.compressed, names.final_name, /*replace=*/replaces_input);
  } catch (const SystemError& error) {
    // gzip has removed the original: the data is in its output now.
    throw CommandFailure(WithGzipWords(SystemFailure(
        L"Could not give the compressed state its name.", error,
        L"The compressed state is complete in " + names.compressed + L"; rename it by hand.")));
  }
  if (!warning.empty())
    throw CommandFailure({Severity::Warning, L"The state was compressed to " + names.final_name + L".",
                          path, warning, L""});
}

}  // namespace

void Decompress(WindowOperations& window, Platform& platform, const std::wstring& state) {
  if (state.empty()) return;
  RunCommand(window, [&] { StateCommand(window, platform).Decompress(state); });
}

void Compress(WindowOperations& window, Platform& platform, const std::wstring& path) {
  if (path.empty()) return;
  RunCommand(window, [&] { StateCommand(window, platform).Compress(path); });
}

}  // namespace stavrel
