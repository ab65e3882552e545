#include "file_job.h"

#include "console_text.h"
#include "path_names.h"

namespace stavrel::cli {

std::vector<FileJob> FileJobs(const CliRequest& request) {
  std::vector<FileJob> jobs;
  if (request.job == Job::Convert && !request.output_dir) {
    jobs.push_back({FullPathFromArgument(request.files[0]), TextFromArgument(request.files[0]),
                    FullPathFromArgument(request.files[1]), TextFromArgument(request.files[1])});
    return jobs;
  }
  std::wstring folder, typed_folder;
  if (request.output_dir) {
    folder = FullPathFromArgument(*request.output_dir);
    typed_folder = TextFromArgument(*request.output_dir);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    if (!typed_folder.empty() && typed_folder.back() != L'\\' && typed_folder.back() != L'/')
      typed_folder += ForDisplay(L"\\");
  }
  for (const std::string& file : request.files) {
    FileJob job{FullPathFromArgument(file), TextFromArgument(file), L"", L""};
    if (request.output_dir) {
      job.output = folder + TrimDir(job.input);
      job.typed_output = typed_folder + TrimDir(job.input);
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
