#pragma once
// frmMain as its commands see it: the boxes they read and write, and what a
// running command does to the window. The real window implements it on its
// controls; tests implement it with a recorder.
#include <cstdint>
#include <string>

#include "host.h"

namespace stavrel {

enum class Box { Factor, VarFound, File1, File2, Decompress, Compress, FName };

class FormView : public Host {
 public:
  virtual std::wstring BoxText(Box box) = 0;
  virtual void SetBoxText(Box box, const std::wstring& text) = 0;
  void ShowVariableCount(std::uint64_t count) final {
    SetBoxText(Box::VarFound, std::to_wstring(count));
  }
};

}  // namespace stavrel
