// Our gzip's decoder of packed data (what follows 1f 1e) on arbitrary bytes, against the
// plain reference decoder.
#include <cstddef>
#include <cstdint>

#include "pack_decoder.h"
#include "old_format_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reference keeps whole strings: bounded inputs keep it quick.
  if (size > 8192) return 0;
  stavrel::fuzz::CheckOldFormatDecoder({data, size}, gz::DecodePack, stavrel::fuzz::ReferencePack,
                                       stavrel::fuzz::EndOfData::EndsItself);
  return 0;
}
