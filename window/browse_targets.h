#pragma once
// What each "..." button (cmdBrowse(0) to cmdBrowse(3)) asks for and where
// the answer goes.
#include <array>

#include "form_view.h"

namespace stavrel::win {

enum class DialogKind { Open, Save };

struct BrowseTarget {
  DialogKind dialog;
  const wchar_t* filter;  // "Description|pattern|" pairs
  Box box;
  bool fills_default_name;  // the state's file name also becomes the default name
};

// "Moudles" is spelt the way the filter has always read.
inline constexpr std::array kBrowseTargets = {
    BrowseTarget{DialogKind::Open,
                 L"Varn Moudles (*.mdl)"
                 L"|*.mdl|",
                 Box::File1, false},
    BrowseTarget{DialogKind::Save,
                 L"Varn Moudles (*.mdl)"
                 L"|*.mdl|",
                 Box::File2, false},
    BrowseTarget{DialogKind::Open,
                 L"Snes9x Save States (*.00*)"
                 L"|*.00*|",
                 Box::Decompress, true},
    BrowseTarget{DialogKind::Open,
                 L"Snes9x Decompressed States (*.sds)"
                 L"|*.sds|"
                 L"All Files (*.*)"
                 L"|*.*|",
                 Box::Compress, false},
};

// The boxes a dropped file may land in: the path boxes, which the browse
// buttons fill too.
inline constexpr std::array kDropTargets = {Box::File1, Box::File2, Box::Decompress, Box::Compress};

}  // namespace stavrel::win
