// The checks a state command makes, and the names it works with, before
// anything is touched.
#include "command_run.h"
#include "path_names.h"
#include "state_files.h"

namespace stavrel {
namespace {

const std::wstring kNothingChanged = L"Nothing was changed.";

[[noreturn]] void Refuse(std::wstring summary, std::wstring file, std::wstring outcome,
                         Refusal refusal = Refusal::None) {
  CommandReport report{
      Severity::Error, std::move(summary), std::move(file), L"", {std::move(outcome)}};
  report.refusal = refusal;
  throw CommandFailure(std::move(report));
}

std::wstring FindGzip(Platform& platform) {
  std::wstring looked;
  for (const std::wstring& place : platform.GzipLocations()) {
    if (platform.FileExists(place)) return place;
    looked += (looked.empty() ? L"" : L" or ") + place;
  }
  Refuse(L"Stavrel's gzip was not found at " + looked + L".", L"",
         L"Reinstall Stavrel. Nothing was changed.");
}

// Where gzip runs: the input's folder when a process can start there; in a
// deeper folder gzip is given full names and runs in Stavrel's folder.
std::wstring WorkingFolderFor(Platform& platform, const std::wstring& input_folder) {
  if (input_folder.size() <= kLongestWorkingFolder) return input_folder;
  return platform.ProgramFolder();
}

void RequireExisting(Platform& platform, const std::wstring& path, const std::wstring& what) {
  if (!platform.FileExists(path))
    Refuse(L"The " + what + L" does not exist.", path, kNothingChanged);
}

// Found before any name is formed from it: a folder's name would make a
// strange state name, or none.
void RefuseFolder(Platform& platform, const std::wstring& path, const std::wstring& what) {
  if (platform.IsFolder(path, Links::Followed))
    Refuse(L"The " + what + L" is a folder, not a file.", path, kNothingChanged);
}

void RefuseExisting(Platform& platform, const std::wstring& path) {
  if (platform.NameTaken(path))
    Refuse(L"A file is in the way.", path,
           L"Stavrel does not overwrite files it did not make: move or rename it, then try again. "
           L"Nothing was changed.",
           Refusal::FileInTheWay);
}

// True when `final_name` is `input` itself (any spelling), which the
// command may replace; any other existing file there is refused.
bool FinalNameIsInput(Platform& platform, const std::wstring& final_name,
                      const std::wstring& input) {
  if (platform.FileExists(final_name) && platform.SameFile(final_name, input)) return true;
  RefuseExisting(platform, final_name);
  return false;
}

// A result that takes the input's own name cannot leave the input beside it.
void RefuseReplacingAKeptInput(bool replaces_input, bool keep, const std::wstring& input) {
  if (replaces_input && keep)
    Refuse(L"The result would take the name of the file itself, which is to be kept.", input,
           L"Choose another name for the result. Nothing was changed.");
}

// gzip's first two bytes: a file starting so is a compressed state already.
bool IsGzipData(Platform& platform, const std::wstring& path) {
  std::byte start[2]{};
  try {
    if (platform.OpenForReading(path)->ReadAt(0, start) < 2) return false;
  } catch (const SystemError& error) {
    throw CommandFailure(
        SystemFailure(L"Could not read the file to compress.", error, kNothingChanged));
  }
  return start[0] == std::byte{0x1f} && start[1] == std::byte{0x8b};
}

ProcessLaunch GzipLaunch(const std::wstring& gzip, std::wstring command_line, std::wstring folder) {
  return {gzip,
          std::move(command_line),
          std::move(folder),
          {std::begin(kGzipEnvironment), std::end(kGzipEnvironment)}};
}

}  // namespace

DecompressPlan PlanDecompress(const DecompressRequest& request, Platform& platform) {
  DecompressPlan plan{request.state};
  RefuseFolder(platform, request.state, L"state file");
  try {
    plan.names = FormDecompressNames(request.state, request.default_name);
  } catch (const UnusableName& error) {
    Refuse(L"No name for the decompressed state can be formed from \"" + error.Name() +
               L"\": it must be a file name without a folder, longer than the three characters "
               L"that \"sds\" replaces.",
           L"", kNothingChanged);
  }
  const std::wstring gzip = FindGzip(platform);
  RequireExisting(platform, request.state, L"state file");
  RefuseExisting(platform, plan.names.compressed);
  RefuseExisting(platform, plan.names.decompressed);
  plan.replaces_state = FinalNameIsInput(platform, plan.names.final_name, request.state);
  RefuseReplacingAKeptInput(plan.replaces_state, request.keep, request.state);
  plan.keeps_state = request.keep;
  plan.gzip = GzipLaunch(gzip, DecompressCommandLine(gzip, plan.names),
                         WorkingFolderFor(platform, plan.names.folder));
  return plan;
}

CompressPlan PlanCompress(const CompressRequest& request, Platform& platform) {
  CompressPlan plan{request.file};
  RefuseFolder(platform, request.file, L"file to compress");
  try {
    plan.names = FormCompressNames(request.file, request.slot);
  } catch (const UnusableName& error) {
    Refuse(L"No name for the compressed state can be formed from \"" + error.Name() +
               L"\": it must be longer than the three characters that \"000\" replaces.",
           request.file, kNothingChanged);
  }
  if (request.slot < 0 || request.slot > kLastSlot)
    Refuse(L"There is no slot " + std::to_wstring(request.slot) + L": slots go from 0 to " +
               std::to_wstring(kLastSlot) + L".",
           L"", kNothingChanged);
  const std::wstring gzip = FindGzip(platform);
  RequireExisting(platform, request.file, L"file to compress");
  if (request.refuse_compressed && IsGzipData(platform, request.file))
    Refuse(
        L"The file is already gzip data (a compressed state): compressing it again would wrap "
        L"it twice.",
        request.file, kNothingChanged, Refusal::AlreadyCompressed);
  RefuseExisting(platform, plan.names.compressed);
  plan.replaces_input = FinalNameIsInput(platform, plan.names.final_name, request.file);
  RefuseReplacingAKeptInput(plan.replaces_input, request.keep, request.file);
  plan.keeps_input = request.keep;
  plan.gzip = GzipLaunch(gzip, CompressCommandLine(gzip, request.file, request.keep),
                         WorkingFolderFor(platform, RootDir(request.file)));
  return plan;
}

}  // namespace stavrel
