#pragma once
// Moving a save state between its gzip-compressed form and the decompressed
// ".sds" form, by running gzip.exe from the program folder.
#include <string>

#include "platform.h"
#include "window_operations.h"

namespace stavrel {

// Replaces the compressed state `state` with TrimExt(folder & default name) & "sds".
void Decompress(WindowOperations& window, Platform& platform, const std::wstring& state);

// Turns `path` into TrimExt(folder & name) & "000", compressed.
void Compress(WindowOperations& window, Platform& platform, const std::wstring& path);

}  // namespace stavrel
