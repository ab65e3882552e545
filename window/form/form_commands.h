#pragma once
// frmMain's commands: each reads its boxes, asks the core for a plan and
// runs it, and shows what there is to say. An empty path does nothing.
#include <string>

#include "form_view.h"
#include "module_converter.h"
#include "platform.h"

namespace stavrel {

// Reads the factor and the destination boxes; shows the count, the progress
// and every failure on the window.
void ConvertToSnes9x(FormView& form, Platform& platform, const std::wstring& source,
                     const ConverterPacing& pacing = {});

// Empties the factor, count, source and destination boxes; progress to 0.
void ClearBoxes(FormView& form);

// Replaces the compressed state `state` with TrimExt(folder & default name) & "sds".
void Decompress(FormView& form, Platform& platform, const std::wstring& state);

// Turns `path` into TrimExt(folder & name) & "000", compressed.
void Compress(FormView& form, Platform& platform, const std::wstring& path);

}  // namespace stavrel
