#pragma once
// The fixture of the UI tests: a temporary folder and a fresh Stavrel window.
#include <gtest/gtest.h>

#include <string>

#include "control_driving.h"
#include "window/control_ids.h"
#include "file_dialog.h"
#include "message_box.h"
#include "running_program.h"
#include "test_files.h"
#include "window_search.h"

namespace stavrel::ui {

using test::Bytes;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

class StavrelWindowTest : public testing::Test {
 protected:
  // Declared first, so that it outlives the program that may hold its files.
  TempFolder folder{L"stavrel ui t\u00e9st"};
  RunningProgram program;

  HWND Control(int id) const { return program.Control(id); }
  std::wstring Text(int id) const { return TextOf(Control(id)); }
  void Type(int id, const std::wstring& text) const { SetText(Control(id), text); }

  // Presses a "..." button and waits for the file dialog it opens.
  FileDialog OpenBrowseDialog(int index) const {
    Press(Control(ids::cmdBrowse_0 + index));
    return FileDialog::WaitFor(program.ProcessId());
  }

  // Picks `path` through "..." number `index`; says whether the dialog took it.
  bool Browse(int index, const std::wstring& path) const {
    const FileDialog dialog = OpenBrowseDialog(index);
    if (!dialog.Found()) return false;
    dialog.Choose(path);
    return dialog.WaitUntilClosed() && SyncWith(program.Window());
  }

  MessageBoxWindow WaitForMessageBox() const { return MessageBoxWindow::WaitFor(program.ProcessId()); }
};

}  // namespace stavrel::ui
