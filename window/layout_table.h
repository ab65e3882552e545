#pragma once
// Every control of the main window, in tab-index order: the creation order
// gives the Z order, and the Z order is the order Tab walks.
// Positions are twips relative to the container (the client area, or the
// frame named in `container`).
#include <array>

#include "control_ids.h"

namespace stavrel::win {

enum class ControlKind { Frame, Label, Edit, Button, Progress, Line };
// Caption: the labels' font, which may come out a little smaller (fonts.cpp).
enum class FontKind { Normal, Caption, BrowseBold };

inline constexpr int kOnWindow = 0;  // container of the frames and the two bottom buttons
inline constexpr int kNoTabIndex = -1;

inline constexpr int kClientWidthTwips = 4845;
inline constexpr int kClientHeightTwips = 7290;

struct ControlEntry {
  const wchar_t* name;
  ControlKind kind;
  int container;  // kOnWindow or the id of a Frame
  const wchar_t* caption;
  int left, top, width, height;
  int tab_index;
  int id;
  FontKind font;
};

namespace main_window_table {
using enum ControlKind;
using enum FontKind;

// clang-format off
inline constexpr std::array kMainWindowControls = {
  //          name             kind      container            caption                 left   top  width height tab id                 font
  ControlEntry{L"frmConverter",   Frame,    kOnWindow,           L"Varn Modules Converter (to SNES9x)", 120, 120, 4575, 3375, 0, ids::frmConverter, Normal},
  ControlEntry{L"Label1(0)",      Label,    ids::frmConverter,   L"Conversion Factor:",     120,  360, 1380, 210,  1, ids::Label1_0 + 0,  Caption},
  ControlEntry{L"txtFactor",      Edit,     ids::frmConverter,   L"",                      1560,  360, 2295, 255,  2, ids::txtFactor,     Normal},
  ControlEntry{L"Label1(1)",      Label,    ids::frmConverter,   L"File to read from:",     120,  840, 1215, 210,  3, ids::Label1_0 + 1,  Caption},
  ControlEntry{L"txtFile1",       Edit,     ids::frmConverter,   L"",                      1560,  840, 2295, 255,  4, ids::txtFile1,      Normal},
  ControlEntry{L"Label1(2)",      Label,    ids::frmConverter,   L"File to write to:",      120, 1320, 1065, 210,  5, ids::Label1_0 + 2,  Caption},
  ControlEntry{L"txtFile2",       Edit,     ids::frmConverter,   L"",                      1560, 1320, 2295, 255,  6, ids::txtFile2,      Normal},
  ControlEntry{L"cmdBrowse(0)",   Button,   ids::frmConverter,   L"...",                   3960,  840,  495, 255,  7, ids::cmdBrowse_0 + 0, BrowseBold},
  ControlEntry{L"cmdBrowse(1)",   Button,   ids::frmConverter,   L"...",                   3960, 1320,  495, 255,  8, ids::cmdBrowse_0 + 1, BrowseBold},
  // A line from (120, 1800) to (4440, 1800); the etched edge is drawn two
  // pixels high whatever its height here.
  ControlEntry{L"Line1",          Line,     ids::frmConverter,   L"",                       120, 1800, 4320,   0, kNoTabIndex, ids::Line1, Normal},
  ControlEntry{L"Label1(3)",      Label,    ids::frmConverter,   L"# of Variables found:",  120, 2040, 1530, 210,  9, ids::Label1_0 + 3,  Caption},
  ControlEntry{L"txtVarFound",    Edit,     ids::frmConverter,   L"",                      1800, 2040, 2055, 255, 10, ids::txtVarFound,   Normal},
  ControlEntry{L"Label1(4)",      Label,    ids::frmConverter,   L"Progress:",              120, 2520,  705, 210, 11, ids::Label1_0 + 4,  Caption},
  ControlEntry{L"pbProg",         Progress, ids::frmConverter,   L"",                      1080, 2520, 2775, 255, 12, ids::pbProg,        Normal},
  ControlEntry{L"cmdConvert",     Button,   ids::frmConverter,   L"Convert!",              2880, 3000,  975, 255, 13, ids::cmdConvert,    Normal},
  ControlEntry{L"cmdClear",       Button,   ids::frmConverter,   L"Clear All!",            1680, 3000, 1095, 255, 14, ids::cmdClear,      Normal},

  ControlEntry{L"frmCompression", Frame,    kOnWindow,           L"Decompress Snes9x States", 120, 3600, 4575, 1095, 15, ids::frmCompression, Normal},
  ControlEntry{L"Label1(5)",      Label,    ids::frmCompression, L"File:",                  120,  360,  285, 210, 16, ids::Label1_0 + 5,  Caption},
  ControlEntry{L"txtDecompress",  Edit,     ids::frmCompression, L"",                       480,  360, 3375, 255, 17, ids::txtDecompress, Normal},
  ControlEntry{L"cmdDecompress",  Button,   ids::frmCompression, L"Decompress!",           3120,  720, 1335, 255, 18, ids::cmdDecompress, Normal},

  ControlEntry{L"Frame1",         Frame,    kOnWindow,           L"Compress to Snes9x States", 120, 4800, 4575, 1095, 19, ids::Frame1, Normal},
  ControlEntry{L"cmdCompress",    Button,   ids::Frame1,         L"Recompress!",           3120,  720, 1335, 255, 20, ids::cmdCompress,   Normal},
  ControlEntry{L"txtCompress",    Edit,     ids::Frame1,         L"",                       480,  360, 3375, 255, 21, ids::txtCompress,   Normal},
  ControlEntry{L"Label1(6)",      Label,    ids::Frame1,         L"File:",                  120,  360,  285, 210, 22, ids::Label1_0 + 6,  Caption},
  ControlEntry{L"cmdBrowse(2)",   Button,   ids::frmCompression, L"...",                   3960,  360,  495, 255, 23, ids::cmdBrowse_0 + 2, BrowseBold},
  ControlEntry{L"cmdBrowse(3)",   Button,   ids::Frame1,         L"...",                   3960,  360,  495, 255, 24, ids::cmdBrowse_0 + 3, BrowseBold},

  ControlEntry{L"Frame2",         Frame,    kOnWindow,           L"Default Name for the State", 120, 6000, 4575, 855, 25, ids::Frame2, Normal},
  ControlEntry{L"txtFName",       Edit,     ids::Frame2,         L"",                       960,  360, 3375, 255, 26, ids::txtFName,      Normal},
  ControlEntry{L"Label1(7)",      Label,    ids::Frame2,         L"Filename:",              120,  360,  675, 210, 27, ids::Label1_0 + 7,  Caption},

  ControlEntry{L"cmdAbout",       Button,   kOnWindow,           L"&About",                3960, 6960,  735, 255, 28, ids::cmdAbout,      Normal},
  ControlEntry{L"cmdExit",        Button,   kOnWindow,           L"&Quit",                 3000, 6960,  855, 255, 29, ids::cmdExit,       Normal},
};
// clang-format on

}  // namespace main_window_table

using main_window_table::kMainWindowControls;

}  // namespace stavrel::win
