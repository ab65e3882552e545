#include "file_job.h"

#include "console_text.h"
#include "path_names.h"
#include "base/system_error.h"

namespace stavrel::cli {
namespace {

// The first name at fault is the one the refusal names.
void Refuse(FileJob& job, const std::wstring& typed_name, const SystemError& error) {
  if (job.refusal) return;
  job.refusal = CommandReport{Severity::Error,
                              L"This file cannot be used.",
                              typed_name,
                              error.Reason(),
                              {L"Rename it to use it.", L"Nothing was read or changed."}};
}

// The full path of a typed name; the typed name itself, with the job
// refused, when the name cannot be used.
std::wstring FullPathOrRefuse(FileJob& job, const std::string& argument) {
  const std::wstring typed = TextFromArgument(argument);
  try {
    return FullPathFromArgument(argument);
  } catch (const SystemError& error) {
    Refuse(job, typed, error);
    return typed;
  }
}

// A file to read, as FullPathOrRefuse; a pattern that matched nothing is
// refused as such.
std::wstring InputPathOrRefuse(FileJob& job, const std::string& argument) {
  if (IsUnmatchedPattern(argument) && !job.refusal)
    job.refusal = CommandReport{Severity::Error,
                                L"no file matches",
                                TextFromArgument(argument),
                                L"",
                                {L"Nothing was read or changed."}};
  return FullPathOrRefuse(job, argument);
}

}  // namespace

std::vector<FileJob> FileJobs(const CliRequest& request) {
  std::vector<FileJob> jobs;
  if (request.job == Job::Convert && !request.output_dir) {
    FileJob job;
    job.typed_input = TextFromArgument(request.files[0]);
    job.input = InputPathOrRefuse(job, request.files[0]);
    job.typed_output = TextFromArgument(request.files[1]);
    job.output = FullPathOrRefuse(job, request.files[1]);
    jobs.push_back(std::move(job));
    return jobs;
  }
  std::wstring folder, typed_folder;
  std::optional<SystemError> unusable_folder;
  if (request.output_dir) {
    try {
      folder = FullPathFromArgument(*request.output_dir);
    } catch (const SystemError& error) {
      unusable_folder = error;
    }
    typed_folder = TextFromArgument(*request.output_dir);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    if (!typed_folder.empty() && typed_folder.back() != L'\\' && typed_folder.back() != L'/')
      typed_folder += ForDisplay(L"\\");
  }
  for (const std::string& file : request.files) {
    FileJob job;
    job.typed_input = TextFromArgument(file);
    job.input = InputPathOrRefuse(job, file);
    if (request.output_dir) {
      job.output = folder + TrimDir(job.input);
      job.typed_output = typed_folder + TrimDir(job.input);
      if (unusable_folder) {
        job.output = job.typed_output;
        Refuse(job, job.typed_output, *unusable_folder);
      }
    }
    jobs.push_back(std::move(job));
  }
  return jobs;
}

std::wstring TypedSibling(const FileJob& job, const std::wstring& result) {
  const std::wstring input_name = TrimDir(job.input);
  const std::wstring typed = job.typed_input;
  // The typed name ends in the same file name, whatever its folder looked like.
  if (typed.size() < input_name.size()) return ForDisplay(result);
  return typed.substr(0, typed.size() - input_name.size()) + TrimDir(result);
}

}  // namespace stavrel::cli
