#include "child_output_text.h"

#include <utility>

#include "win32/utf.h"

namespace stavrel::win32 {

std::wstring DecodeChildOutput(const std::string& bytes) {
  std::optional<std::wstring> utf8 = ToUtf16IfValid(bytes);
  std::wstring text = utf8 ? *std::move(utf8) : FromAnsiCodePage(bytes);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
    text.pop_back();
  return text;
}

}  // namespace stavrel::win32
