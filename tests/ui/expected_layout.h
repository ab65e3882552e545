#pragma once
// Where every control of the main window belongs, in twips, as the form was
// drawn: frames on the window, the other controls relative to their frame.
#include <array>

#include "window/control_ids.h"

namespace stavrel::ui {

inline constexpr int kClientWidthTwips = 4845;
inline constexpr int kClientHeightTwips = 7290;

struct TwipsRect {
  int left, top, width, height;
};

enum class Kind { Frame, Label, Edit, Button, Progress };

struct ExpectedControl {
  const char* name;
  int id;
  int frame_id;  // 0: placed on the window itself
  TwipsRect place;
  Kind kind;
  const wchar_t* caption;  // null: whatever the user typed
};

namespace layout {
using namespace stavrel::ids;

// clang-format off
inline constexpr std::array kExpectedControls = {
  ExpectedControl{"frmConverter",   frmConverter,    0,              {120,  120, 4575, 3375}, Kind::Frame, L"Varn Modules Converter (to SNES9x)"},
  ExpectedControl{"frmCompression", frmCompression,  0,              {120, 3600, 4575, 1095}, Kind::Frame, L"Decompress Snes9x States"},
  ExpectedControl{"Frame1",         Frame1,          0,              {120, 4800, 4575, 1095}, Kind::Frame, L"Compress to Snes9x States"},
  ExpectedControl{"Frame2",         Frame2,          0,              {120, 6000, 4575,  855}, Kind::Frame, L"Default Name for the State"},
  ExpectedControl{"Label1(0)",      Label1_0 + 0,    frmConverter,   {120,  360, 1380,  210}, Kind::Label, L"Conversion Factor:"},
  ExpectedControl{"txtFactor",      txtFactor,       frmConverter,   {1560, 360, 2295,  255}, Kind::Edit, nullptr},
  ExpectedControl{"Label1(1)",      Label1_0 + 1,    frmConverter,   {120,  840, 1215,  210}, Kind::Label, L"File to read from:"},
  ExpectedControl{"txtFile1",       txtFile1,        frmConverter,   {1560, 840, 2295,  255}, Kind::Edit, nullptr},
  ExpectedControl{"cmdBrowse(0)",   cmdBrowse_0 + 0, frmConverter,   {3960, 840,  495,  255}, Kind::Button, L"..."},
  ExpectedControl{"Label1(2)",      Label1_0 + 2,    frmConverter,   {120, 1320, 1065,  210}, Kind::Label, L"File to write to:"},
  ExpectedControl{"txtFile2",       txtFile2,        frmConverter,   {1560, 1320, 2295, 255}, Kind::Edit, nullptr},
  ExpectedControl{"cmdBrowse(1)",   cmdBrowse_0 + 1, frmConverter,   {3960, 1320, 495,  255}, Kind::Button, L"..."},
  ExpectedControl{"Label1(3)",      Label1_0 + 3,    frmConverter,   {120, 2040, 1530,  210}, Kind::Label, L"# of Variables found:"},
  ExpectedControl{"txtVarFound",    txtVarFound,     frmConverter,   {1800, 2040, 2055, 255}, Kind::Edit, nullptr},
  ExpectedControl{"Label1(4)",      Label1_0 + 4,    frmConverter,   {120, 2520,  705,  210}, Kind::Label, L"Progress:"},
  ExpectedControl{"pbProg",         pbProg,          frmConverter,   {1080, 2520, 2775, 255}, Kind::Progress, nullptr},
  ExpectedControl{"cmdConvert",     cmdConvert,      frmConverter,   {2880, 3000, 975,  255}, Kind::Button, L"Convert!"},
  ExpectedControl{"cmdClear",       cmdClear,        frmConverter,   {1680, 3000, 1095, 255}, Kind::Button, L"Clear All!"},
  ExpectedControl{"Label1(5)",      Label1_0 + 5,    frmCompression, {120,  360,  285,  210}, Kind::Label, L"File:"},
  ExpectedControl{"txtDecompress",  txtDecompress,   frmCompression, {480,  360, 3375,  255}, Kind::Edit, nullptr},
  ExpectedControl{"cmdBrowse(2)",   cmdBrowse_0 + 2, frmCompression, {3960, 360,  495,  255}, Kind::Button, L"..."},
  ExpectedControl{"cmdDecompress",  cmdDecompress,   frmCompression, {3120, 720, 1335,  255}, Kind::Button, L"Decompress!"},
  ExpectedControl{"Label1(6)",      Label1_0 + 6,    Frame1,         {120,  360,  285,  210}, Kind::Label, L"File:"},
  ExpectedControl{"txtCompress",    txtCompress,     Frame1,         {480,  360, 3375,  255}, Kind::Edit, nullptr},
  ExpectedControl{"cmdBrowse(3)",   cmdBrowse_0 + 3, Frame1,         {3960, 360,  495,  255}, Kind::Button, L"..."},
  ExpectedControl{"cmdCompress",    cmdCompress,     Frame1,         {3120, 720, 1335,  255}, Kind::Button, L"Recompress!"},
  ExpectedControl{"Label1(7)",      Label1_0 + 7,    Frame2,         {120,  360,  675,  210}, Kind::Label, L"Filename:"},
  ExpectedControl{"txtFName",       txtFName,        Frame2,         {960,  360, 3375,  255}, Kind::Edit, nullptr},
  ExpectedControl{"cmdAbout",       cmdAbout,        0,              {3960, 6960, 735,  255}, Kind::Button, L"&About"},
  ExpectedControl{"cmdExit",        cmdExit,         0,              {3000, 6960, 855,  255}, Kind::Button, L"&Quit"},
};
// clang-format on

// Drawn from (120, 1800) to (4440, 1800) in frmConverter.
inline constexpr ExpectedControl kLine1{"Line1", Line1, frmConverter, {120, 1800, 4320, 0}, Kind::Label, L""};

}  // namespace layout

using layout::kExpectedControls;

// The frame's own place on the window, for controls inside it.
inline TwipsRect OnWindow(const ExpectedControl& control) {
  TwipsRect place = control.place;
  for (const auto& frame : kExpectedControls) {
    if (control.frame_id != 0 && frame.id == control.frame_id) {
      place.left += frame.place.left;
      place.top += frame.place.top;
    }
  }
  return place;
}

}  // namespace stavrel::ui
