// Takes the pictures of the users' guide from the real window: starts
// stavrel.exe, fills its boxes and presses its buttons as a user would, and
// writes one BMP per step into the folder named on the command line.
#include <windows.h>

#include <cstdio>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "control_driving.h"
#include "window/control_ids.h"
#include "gzip_bytes.h"
#include "keyboard_input.h"
#include "message_box.h"
#include "module_bytes.h"
#include "running_program.h"
#include "screen_capture.h"
#include "test_files.h"

namespace stavrel::ui {
namespace {

// Where the example files live, named as a user's would be.
const std::wstring kFolder = L"C:\\Games\\";
const wchar_t* const kExampleFiles[] = {L"region one.mdl", L"converted.mdl", L"tiny.mdl",
                                        L"tiny converted.mdl", L"game.003", L"game.sds", L"game.000"};

// What an earlier run left would change what the window says.
void RemoveExampleFiles() {
  for (const wchar_t* name : kExampleFiles) DeleteFileW((kFolder + name).c_str());
}

class GuidePictures {
 public:
  explicit GuidePictures(std::wstring pictures) : pictures_(std::move(pictures)) {}

  void TakeAll();

 private:
  HWND Control(int id) const { return program_.Control(id); }
  void Type(int id, const std::wstring& text) const { SetText(Control(id), text); }
  void PressAndSettle(int id) const {
    if (!PressAndWait(Control(id))) throw std::runtime_error("the window did not answer a press");
  }
  // The window, or the message box when there is one.
  void Take(const std::wstring& name, HWND message_box = nullptr) const;
  MessageBoxWindow PressForMessage(int id) const;

  std::wstring pictures_;
  RunningProgram program_;
};

void GuidePictures::Take(const std::wstring& name, HWND message_box) const {
  MakeForeground(message_box ? message_box : program_.Window());
  RedrawWindow(program_.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  SyncWith(program_.Window());
  // Wine puts a message box wherever there is room, often far from the
  // window: the box is pictured on its own.
  const Picture picture = WithoutBlackEdges(SettledPictureOf(message_box ? message_box : program_.Window()));
  if (picture.width == 0 || !WriteBmp(picture, pictures_ + L"\\" + name + L".bmp"))
    throw std::runtime_error("cannot take or write a picture");
}

MessageBoxWindow GuidePictures::PressForMessage(int id) const {
  Press(Control(id));
  MessageBoxWindow box = MessageBoxWindow::WaitFor(program_.ProcessId());
  if (!box.Found()) throw std::runtime_error("no message box came");
  return box;
}

void GuidePictures::TakeAll() {
  std::vector<std::int32_t> addresses(2000);
  std::iota(addresses.begin(), addresses.end(), 0x7E0000);
  test::WriteBytes(kFolder + L"region one.mdl", test::MakeModule(addresses));
  test::WriteBytes(kFolder + L"tiny.mdl", test::MakeModule({1, 2, 3}));
  test::WriteBytes(kFolder + L"game.003", test::Gzip(test::StateData()));

  Take(L"01-window");

  Type(ids::txtFactor, L"&H100");
  Type(ids::txtFile1, kFolder + L"region one.mdl");
  Type(ids::txtFile2, kFolder + L"converted.mdl");
  Take(L"02-convert-filled");
  PressAndSettle(ids::cmdConvert);
  Take(L"03-convert-done");

  Type(ids::txtFile1, kFolder + L"tiny.mdl");
  Type(ids::txtFile2, kFolder + L"tiny converted.mdl");
  MessageBoxWindow few = PressForMessage(ids::cmdConvert);
  Take(L"04-message-four-variables", few.Handle());
  few.PressOk();
  few.WaitUntilClosed();

  Type(ids::txtDecompress, kFolder + L"game.003");
  Type(ids::txtFName, L"game.003");
  Take(L"05-decompress-filled");
  PressAndSettle(ids::cmdDecompress);

  // game.003 is gone now: a user would not leave it in the box.
  Type(ids::txtDecompress, L"");
  Type(ids::txtFName, L"");
  Type(ids::txtCompress, kFolder + L"game.sds");
  Take(L"06-recompress-filled");
  PressAndSettle(ids::cmdCompress);

  // The state is gone now: decompressing it again shows what a failure looks like.
  Type(ids::txtDecompress, kFolder + L"game.003");
  MessageBoxWindow missing = PressForMessage(ids::cmdDecompress);
  Take(L"07-message-error", missing.Handle());
  missing.PressOk();
  missing.WaitUntilClosed();
}

}  // namespace
}  // namespace stavrel::ui

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: guide_pictures <folder for the pictures>\n", stderr);
    return 1;
  }
  try {
    CreateDirectoryW(L"C:\\Games", nullptr);
    stavrel::ui::EndEveryStavrel();
    stavrel::ui::RemoveExampleFiles();
    stavrel::ui::GuidePictures(argv[1]).TakeAll();
    stavrel::ui::RemoveExampleFiles();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "guide_pictures: %s\n", error.what());
    return 1;
  }
}
