#pragma once
// gzip data made and read with zlib, to check gzip.exe's work against.
#include "bytes.h"

namespace stavrel::ui {

Bytes Gzip(const Bytes& data);
// Throws unless `data` is one whole gzip member.
Bytes Gunzip(const Bytes& data);

}  // namespace stavrel::ui
