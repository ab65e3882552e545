#include "faulty_platform.h"

#include "base/system_error.h"
#include "test_files.h"

namespace stavrel::test {
namespace {

SystemError MakeError(Fault fault, const wchar_t* operation, const std::wstring& path) {
  switch (fault) {
    case Fault::NotFound:
      return {operation, path, L"The system cannot find the file specified.", ErrorKind::NotFound};
    case Fault::AccessDenied:
      return {operation, path, L"Access is denied.", ErrorKind::AccessDenied};
    case Fault::DiskFull:
      break;
  }
  return {operation, path, L"There is not enough space on the disk.", ErrorKind::Other};
}

class FaultyFile : public OpenFile {
 public:
  FaultyFile(FaultyPlatform& platform, std::unique_ptr<OpenFile> real, std::wstring path)
      : platform_(platform), real_(std::move(real)), path_(std::move(path)) {
    ++platform_.open_objects;
  }
  ~FaultyFile() override { --platform_.open_objects; }

  std::uint64_t Length() override {
    platform_.Step(L"length", path_);
    return real_->Length();
  }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> buffer) override {
    platform_.Step(L"read", path_);
    return real_->ReadAt(offset, buffer);
  }
  void WriteAt(std::uint64_t offset, std::span<const std::byte> data) override {
    platform_.Step(L"write", path_);
    real_->WriteAt(offset, data);
  }
  void Flush() override {
    platform_.Step(L"flush", path_);
    real_->Flush();
  }
  void Keep() override {
    platform_.Step(L"keep", path_);
    real_->Keep();
  }
  void Close() override {
    platform_.Step(L"close", path_);
    real_->Close();
  }

 private:
  FaultyPlatform& platform_;
  std::unique_ptr<OpenFile> real_;
  std::wstring path_;
};

// Stands in for gzip: ends at once with the exit code and message given.
class ScriptedChild : public ChildProcess {
 public:
  ScriptedChild(int exit_code, std::wstring message) : exit_code_(exit_code), message_(std::move(message)) {}
  std::optional<int> Wait(const std::function<bool()>& pump) override {
    pump();
    return exit_code_;
  }
  std::wstring ErrorOutput() override { return message_; }
  std::uint64_t BytesWritten() override { return 0; }
  void Kill() override {}

 private:
  int exit_code_;
  std::wstring message_;
};

class FaultyChild : public ChildProcess {
 public:
  FaultyChild(FaultyPlatform& platform, std::unique_ptr<ChildProcess> real)
      : platform_(platform), real_(std::move(real)) {
    ++platform_.open_objects;
  }
  ~FaultyChild() override { --platform_.open_objects; }

  std::optional<int> Wait(const std::function<bool()>& pump) override {
    if (platform_.gzip_fault == GzipFault::FinalNameAppears)
      WriteBytes(platform_.appearing_name, {'n', 'e', 'w'});
    platform_.Step(L"wait", L"gzip.exe");
    const std::optional<int> exit_code = real_->Wait(pump);
    if (exit_code && platform_.gzip_fault == GzipFault::FailsAfterItsWork) return 1;
    return exit_code;
  }
  std::wstring ErrorOutput() override { return real_->ErrorOutput(); }
  std::uint64_t BytesWritten() override { return real_->BytesWritten(); }
  void Kill() override { real_->Kill(); }

 private:
  FaultyPlatform& platform_;
  std::unique_ptr<ChildProcess> real_;
};

}  // namespace

void FaultyPlatform::Step(const wchar_t* operation, const std::wstring& path) {
  log.push_back(operation);
  if (++operations == fail_at) throw MakeError(fault, operation, path);
}

void FaultyPlatform::CopyFile(const std::wstring& from, const std::wstring& to, bool replace) {
  Step(L"copy", to);
  real_.CopyFile(from, to, replace);
}

std::unique_ptr<OpenFile> FaultyPlatform::OpenForReading(const std::wstring& path) {
  Step(L"open", path);
  return std::make_unique<FaultyFile>(*this, real_.OpenForReading(path), path);
}

std::unique_ptr<OpenFile> FaultyPlatform::CreateNew(const std::wstring& path) {
  Step(L"create", path);
  return std::make_unique<FaultyFile>(*this, real_.CreateNew(path), path);
}

void FaultyPlatform::RemoveFile(const std::wstring& path) {
  Step(L"remove", path);
  real_.RemoveFile(path);
}

void FaultyPlatform::RenameFile(const std::wstring& from, const std::wstring& to, bool replace) {
  Step(L"rename", from);
  // After every look the command took at the final name.
  if (gzip_fault == GzipFault::FinalNameAppears && to == appearing_name && !Exists(appearing_name))
    WriteBytes(appearing_name, {'n', 'e', 'w'});
  real_.RenameFile(from, to, replace);
}

bool FaultyPlatform::SameFile(const std::wstring& a, const std::wstring& b) {
  Step(L"compare", b);
  return real_.SameFile(a, b);
}

std::unique_ptr<ChildProcess> FaultyPlatform::StartProcess(const ProcessLaunch& launch) {
  Step(L"start", launch.application);
  switch (gzip_fault) {
    case GzipFault::ExitsWithError:
      return std::make_unique<ScriptedChild>(1, L"gzip: temp.gz: Input/output error");
    case GzipFault::WarnsWithoutOutput:
      return std::make_unique<ScriptedChild>(2, L"gzip: warning: something odd");
    case GzipFault::KilledHalfWay:
      WriteBytes(gzip_output, {0x1f, 0x8b, 8, 0});
      return std::make_unique<ScriptedChild>(1, L"");
    default:
      return std::make_unique<FaultyChild>(*this, real_.StartProcess(launch));
  }
}

}  // namespace stavrel::test
