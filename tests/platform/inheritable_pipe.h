#pragma once
#ifdef _WIN32
#include "base/win32/scoped_handles.h"
#endif

// A pipe whose write end any child started meanwhile could inherit, to check
// that StartProcess hands the child nothing but its own handles.
class InheritablePipe {
 public:
  InheritablePipe();
  InheritablePipe(const InheritablePipe&) = delete;
  InheritablePipe& operator=(const InheritablePipe&) = delete;
  ~InheritablePipe();

  void CloseWriteEnd();
  // After CloseWriteEnd: true while some other process still holds the
  // write end open.
  bool WriteEndHeldElsewhere();

 private:
#ifdef _WIN32
  stavrel::win32::KernelHandle read_;
  stavrel::win32::KernelHandle write_;
#else
  int read_ = -1;
  int write_ = -1;
#endif
};
