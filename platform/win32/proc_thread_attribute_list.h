#pragma once
// Owns a PROC_THREAD_ATTRIBUTE_LIST that carries the handles a child may inherit.
#include <windows.h>

#include <memory>
#include <string>

#include "base/win32/system_error_text.h"

namespace stavrel::win32::platform {

class ProcThreadAttributeList {
 public:
  // operation and path name what is being started, for error messages.
  ProcThreadAttributeList(DWORD attribute_count, const wchar_t* operation, const std::wstring& path)
      : operation_(operation), path_(path) {
    SIZE_T size = 0;
    // The first call only reports the size it needs.
    InitializeProcThreadAttributeList(nullptr, attribute_count, 0, &size);
    storage_ = std::make_unique<std::byte[]>(size);
    if (!InitializeProcThreadAttributeList(Get(), attribute_count, 0, &size)) {
      throw LastError(operation_, path_);
    }
    initialized_ = true;
  }
  ProcThreadAttributeList(const ProcThreadAttributeList&) = delete;
  ProcThreadAttributeList& operator=(const ProcThreadAttributeList&) = delete;
  ~ProcThreadAttributeList() {
    if (initialized_) DeleteProcThreadAttributeList(Get());
  }

  LPPROC_THREAD_ATTRIBUTE_LIST Get() const noexcept {
    return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
  }

  // The handles must stay open until the process has been created.
  void SetHandleList(HANDLE* handles, std::size_t count) {
    if (!UpdateProcThreadAttribute(Get(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                   count * sizeof(HANDLE), nullptr, nullptr)) {
      throw LastError(operation_, path_);
    }
  }

 private:
  const wchar_t* operation_;
  std::wstring path_;
  std::unique_ptr<std::byte[]> storage_;
  bool initialized_ = false;
};

}  // namespace stavrel::win32::platform
