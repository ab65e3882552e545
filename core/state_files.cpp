#include "state_files.h"

#include <vector>

#include "command_run.h"
#include "path_names.h"
#include "state_names.h"

namespace stavrel {
namespace {

constexpr int kGzipWarning = 2;

std::wstring TextOfGzip(int exit_code, const std::wstring& error_output) {
  if (!error_output.empty()) return error_output;
  return L"gzip.exe ended with exit code " + std::to_wstring(exit_code) + L" and no message";
}

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

class StateCommand {
 public:
  StateCommand(WindowOperations& window, Platform& platform)
      : window_(window), platform_(platform), temporaries_(platform) {}

  void Decompress(const std::wstring& state);
  void Compress(const std::wstring& path);

 private:
  std::wstring FindGzip();
  void RequireExisting(const std::wstring& path, const std::wstring& what);
  void RefuseExisting(const std::wstring& path);
  // Throws with the message, after removing this run's temporary files.
  [[noreturn]] void Fail(const std::wstring& message);
  [[noreturn]] void Fail(const std::wstring& what_failed, const SystemError& error,
                         const std::wstring& outcome);
  // Runs gzip to its end while the window keeps working; returns a warning
  // to show, or throws when gzip failed or made no output.
  std::wstring RunGzip(const ProcessLaunch& launch, const std::wstring& output,
                       const std::wstring& step, const std::wstring& file,
                       const std::wstring& outcome);

  WindowOperations& window_;
  Platform& platform_;
  Temporaries temporaries_;
};

void StateCommand::Fail(const std::wstring& message) {
  throw CommandFailure(message + temporaries_.RemoveAll());
}

void StateCommand::Fail(const std::wstring& what_failed, const SystemError& error,
                        const std::wstring& outcome) {
  Fail(DescribeFailure(what_failed, error, outcome));
}

std::wstring StateCommand::FindGzip() {
  const std::wstring gzip = GzipProgram(platform_.ProgramFolder());
  if (!platform_.FileExists(gzip))
    Fail(L"gzip.exe is missing from Stavrel's folder:\r\n" + gzip +
         L"\r\n\r\nReinstall Stavrel. Nothing was changed.");
  return gzip;
}

void StateCommand::RequireExisting(const std::wstring& path, const std::wstring& what) {
  if (!platform_.FileExists(path))
    Fail(L"The " + what + L" does not exist:\r\n" + path + L"\r\n\r\nNothing was changed.");
}

void StateCommand::RefuseExisting(const std::wstring& path) {
  if (platform_.FileExists(path))
    Fail(L"A file is in the way:\r\n" + path +
         L"\r\n\r\nStavrel does not overwrite files it did not make: move or rename it, "
         L"then try again. Nothing was changed.");
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
  // A close request is honoured once gzip is done: stopping it half-way
  // would leave its output half-written.
  int exit_code = 0;
  try {
    exit_code = child->Wait([this] { window_.ProcessPendingEvents(); });
  } catch (const SystemError& error) {
    child->Kill();
    Fail(L"Could not wait for gzip.exe to " + step + L".", error, outcome);
  }
  const std::wstring said = TextOfGzip(exit_code, child->ErrorOutput());
  const bool made_output = platform_.FileExists(output);
  if (exit_code == 0 && made_output) return L"";
  if (exit_code == kGzipWarning && made_output) return said;
  Fail(DescribeFailure(L"gzip.exe could not " + step + L".",
                       SystemError(L"run gzip", file, exit_code == 0 ? L"gzip.exe made no output" : said),
                       outcome));
}

void StateCommand::Decompress(const std::wstring& state) {
  DecompressNames names;
  try {
    names = FormDecompressNames(state, window_.BoxText(Box::FName));
  } catch (const PathTooShort& error) {
    Fail(L"No name for the decompressed state can be formed from \"" + error.Path() +
         L"\": it is shorter than an extension.\r\n\r\nNothing was changed.");
  }
  const std::wstring gzip = FindGzip();
  RequireExisting(state, L"state file");
  RefuseExisting(names.compressed);
  RefuseExisting(names.decompressed);
  RefuseExisting(names.final_name);

  const std::wstring kept = L"The state file " + state + L" is unchanged.";
  temporaries_.Add(names.compressed, state);
  try {
    platform_.CopyFile(state, names.compressed, /*replace=*/false);
  } catch (const SystemError& error) {
    Fail(L"Could not copy the state to a temporary file.", error, kept);
  }

  temporaries_.Add(names.decompressed, state);
  ProcessLaunch launch{gzip, DecompressCommandLine(gzip), names.folder, true};
  const std::wstring warning =
      RunGzip(launch, names.decompressed, L"decompress the state", state, kept);

  try {
    platform_.RenameFile(names.decompressed, names.final_name, /*replace=*/false);
  } catch (const SystemError& error) {
    Fail(L"Could not give the decompressed state its name.", error, kept);
  }
  // gzip removes its input when it succeeds; a warning may leave it.
  const std::wstring left = temporaries_.RemoveAll();

  try {
    platform_.RemoveFile(state);
  } catch (const SystemError& error) {
    throw CommandFailure(DescribeFailure(
        L"The state was decompressed to " + names.final_name +
            L", but the compressed state file could not be deleted.",
        error, L"Both files are complete; delete the compressed one by hand." + left));
  }
  if (!warning.empty() || !left.empty()) {
    std::wstring text = L"The state was decompressed to " + names.final_name + L".";
    if (!warning.empty()) text += L"\r\n\r\ngzip.exe warned:\r\n" + warning;
    throw CommandWarning(text + left);
  }
}

void StateCommand::Compress(const std::wstring& path) {
  CompressNames names;
  try {
    names = FormCompressNames(path);
  } catch (const PathTooShort& error) {
    Fail(L"No name for the compressed state can be formed from \"" + error.Path() +
         L"\": it is shorter than an extension.\r\n\r\nNothing was changed.");
  }
  const std::wstring gzip = FindGzip();
  RequireExisting(path, L"file to compress");
  RefuseExisting(names.compressed);
  RefuseExisting(names.final_name);

  temporaries_.Add(names.compressed, path);
  ProcessLaunch launch{gzip, CompressCommandLine(gzip, path), L"", true};
  const std::wstring warning = RunGzip(launch, names.compressed, L"compress the state", path,
                                       L"The file " + path + L" is unchanged.");
  try {
    platform_.RenameFile(names.compressed, names.final_name, /*replace=*/false);
  } catch (const SystemError& error) {
    // gzip has removed the original: the data is in its output now.
    throw CommandFailure(DescribeFailure(L"Could not give the compressed state its name.", error,
                                         L"The compressed state is complete in " +
                                             names.compressed + L"; rename it by hand."));
  }
  if (!warning.empty())
    throw CommandWarning(L"The state was compressed to " + names.final_name +
                         L".\r\n\r\ngzip.exe warned:\r\n" + warning);
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
