#pragma once
// A failed file or process operation, with everything the user needs to see:
// what was being done, to which file, and the system's own reason.
#include <exception>
#include <string>

namespace stavrel {

enum class ErrorKind {
  Other,
  NotFound,       // the file or its folder does not exist
  AlreadyExists,  // the target name is taken
  AccessDenied,   // permissions, read-only, or locked by another process
};

class SystemError : public std::exception {
 public:
  SystemError(std::wstring operation, std::wstring path, std::wstring reason,
              ErrorKind kind = ErrorKind::Other)
      : operation_(std::move(operation)),
        path_(std::move(path)),
        reason_(std::move(reason)),
        kind_(kind) {}

  const std::wstring& Operation() const noexcept { return operation_; }
  const std::wstring& Path() const noexcept { return path_; }
  const std::wstring& Reason() const noexcept { return reason_; }
  ErrorKind Kind() const noexcept { return kind_; }
  const char* what() const noexcept override { return "stavrel::SystemError"; }

 private:
  std::wstring operation_;
  std::wstring path_;
  std::wstring reason_;
  ErrorKind kind_;
};

}  // namespace stavrel
