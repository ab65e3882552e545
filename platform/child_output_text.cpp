#include "child_output_text.h"

#include "base/utf.h"

namespace stavrel {

std::wstring DecodeChildOutput(std::string_view bytes) {
  std::wstring text = IsValidUtf8(bytes) ? Utf8ToWide(bytes) : LegacyTextToWide(bytes);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return text;
}

}  // namespace stavrel
