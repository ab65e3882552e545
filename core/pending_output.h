#pragma once
// A file written under a temporary name beside its final name, and renamed
// into place only when complete: a failed run never leaves a half-written
// file under the final name, and an existing file there stays as it was.
#include <memory>
#include <string>

#include "platform.h"

namespace stavrel {

// The first of the names a pending output may take that is free now.
std::wstring FreeTemporaryName(Platform& platform, const std::wstring& final_path);

class PendingOutput {
 public:
  // Creates `temporary`, or the next free name when one has appeared there
  // since it was chosen. Commit replaces a file under the final name only
  // when `replace` allows it; `replaces_a_file` says one is there, as the
  // caller has already looked.
  PendingOutput(Platform& platform, std::wstring final_path, const std::wstring& temporary,
                bool replace, bool replaces_a_file);
  ~PendingOutput();
  PendingOutput(const PendingOutput&) = delete;
  PendingOutput& operator=(const PendingOutput&) = delete;

  OpenFile& File() { return *file_; }
  const std::wstring& TemporaryPath() const { return temporary_path_; }

  // Closes and renames to the final name, flushing first when that name is
  // taken. Without `replace`, a name taken meanwhile fails the rename
  // (ErrorKind::AlreadyExists) and the temporary file stays for Discard.
  void Commit();
  // Closes and removes the temporary file. Returns what is left behind, in
  // words for the user: empty when nothing is.
  std::wstring Discard() noexcept;

 private:
  Platform& platform_;
  std::wstring final_path_;
  std::wstring temporary_path_;
  bool replace_;
  bool replaces_a_file_;
  std::unique_ptr<OpenFile> file_;
  bool settled_ = false;
};

}  // namespace stavrel
