#include "console_text.h"

#include "base/utf.h"

namespace stavrel::cli {

std::wstring TextFromArgument(const std::string& argument) { return Utf8ToWide(argument); }

void WriteLine(std::FILE* stream, const std::wstring& line) {
  WriteText(stream, line + L"\n");
  std::fflush(stream);
}

}  // namespace stavrel::cli
