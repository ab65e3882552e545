#include "pending_output.h"

#include "base/system_error.h"

namespace stavrel {
namespace {

constexpr int kNameAttempts = 100;

std::wstring TemporaryName(const std::wstring& final_path, int attempt) {
  std::wstring name = final_path + L".stavrel-tmp";
  if (attempt > 0) name += std::to_wstring(attempt);
  return name;
}

}  // namespace

std::wstring FreeTemporaryName(Platform& platform, const std::wstring& final_path) {
  for (int attempt = 0; attempt + 1 < kNameAttempts; ++attempt) {
    std::wstring name = TemporaryName(final_path, attempt);
    if (!platform.FileExists(name)) return name;
  }
  return TemporaryName(final_path, kNameAttempts - 1);
}

PendingOutput::PendingOutput(Platform& platform, std::wstring final_path,
                             const std::wstring& temporary, bool replace, bool replaces_a_file)
    : platform_(platform),
      final_path_(std::move(final_path)),
      replace_(replace),
      replaces_a_file_(replaces_a_file) {
  temporary_path_ = temporary;
  for (int attempt = 0;; ++attempt) {
    try {
      file_ = platform_.CreateNew(temporary_path_);
      return;
    } catch (const SystemError& error) {
      // A leftover of another run: never reuse it, pick the next name.
      if (error.Kind() != ErrorKind::AlreadyExists || attempt + 1 == kNameAttempts) throw;
    }
    temporary_path_ = TemporaryName(final_path_, attempt);
    if (temporary_path_ == temporary) temporary_path_ = TemporaryName(final_path_, ++attempt);
  }
}

PendingOutput::~PendingOutput() {
  if (!settled_) Discard();
}

void PendingOutput::Commit() {
  // Before an existing file is replaced, the new one must be on the disk: a
  // crash between the rename and the write-back would lose both. A new name
  // risks nothing, and skipping the wait keeps a conversion near copy speed.
  if (replaces_a_file_) file_->Flush();
  file_->Keep();
  auto file = std::move(file_);
  file->Close();
  platform_.RenameFile(temporary_path_, final_path_, replace_);
  settled_ = true;
}

std::wstring PendingOutput::Discard() noexcept {
  settled_ = true;
  try {
    file_.reset();  // a close failure does not matter: the file goes
    // Closing it may have removed it already (see OpenFile::Keep).
    if (platform_.NameTaken(temporary_path_)) platform_.RemoveFile(temporary_path_);
    return L"";
  } catch (const SystemError& error) {
    return L"The incomplete file " + temporary_path_ + L" could not be removed (" + error.Reason() +
           L"); delete it by hand.";
  } catch (...) {
    return L"The incomplete file " + temporary_path_ + L" may remain; delete it by hand.";
  }
}

}  // namespace stavrel
