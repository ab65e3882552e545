#pragma once
// Reading what a label shows from a picture of it, whatever the font: every
// caption of the form ends in a colon, and a label that clips or wraps its
// text loses that colon first.
#include "screen_capture.h"

namespace stavrel::ui {

// Whether the rightmost mark drawn in the picture has a colon's shape: at
// most three columns wide, set apart from the letters before it, and made of
// two short dots one above the other.
bool EndsWithColon(const Picture& label);

}  // namespace stavrel::ui
