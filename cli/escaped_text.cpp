#include "escaped_text.h"

namespace stavrel::cli {
namespace {

#ifndef _WIN32
// The text conversion gives each byte that is not UTF-8 a place of its own
// in U+DC80..U+DCFF (see posix/text_conversion.h).
constexpr wchar_t kRawByteBase = 0xDC00;
constexpr wchar_t kFirstRawByte = kRawByteBase + 0x80;
constexpr wchar_t kLastRawByte = kRawByteBase + 0xFF;
#endif

const wchar_t* CEscape(wchar_t character) {
  switch (character) {
    case L'\a': return L"\\a";
    case L'\b': return L"\\b";
    case L'\f': return L"\\f";
    case L'\n': return L"\\n";
    case L'\r': return L"\\r";
    case L'\t': return L"\\t";
    case L'\v': return L"\\v";
    default: return nullptr;
  }
}

bool ActedOnByTerminals(wchar_t character) {
  return character < 0x20 || (character >= 0x7F && character <= 0x9F) || character == 0x2028 ||
         character == 0x2029;
}

void AppendOctalByte(std::wstring& out, unsigned byte) {
  out += L'\\';
  out += static_cast<wchar_t>(L'0' + ((byte >> 6) & 7));
  out += static_cast<wchar_t>(L'0' + ((byte >> 3) & 7));
  out += static_cast<wchar_t>(L'0' + (byte & 7));
}

// The character's UTF-8 bytes (it lies below U+0800, or is U+2028/U+2029).
void AppendOctalUtf8(std::wstring& out, wchar_t character) {
  const auto value = static_cast<unsigned>(character);
  if (value < 0x80) {
    AppendOctalByte(out, value);
  } else if (value < 0x800) {
    AppendOctalByte(out, 0xC0 | (value >> 6));
    AppendOctalByte(out, 0x80 | (value & 0x3F));
  } else {
    AppendOctalByte(out, 0xE0 | (value >> 12));
    AppendOctalByte(out, 0x80 | ((value >> 6) & 0x3F));
    AppendOctalByte(out, 0x80 | (value & 0x3F));
  }
}

}  // namespace

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t character : text) {
#ifndef _WIN32
    // On Windows "\" separates folders and is never part of a name.
    if (character == L'\\') {
      out += L"\\\\";
      continue;
    }
    if (character >= kFirstRawByte && character <= kLastRawByte) {
      AppendOctalByte(out, static_cast<unsigned>(character - kRawByteBase));
      continue;
    }
#endif
    if (!ActedOnByTerminals(character)) {
      out += character;
    } else if (const wchar_t* escape = CEscape(character)) {
      out += escape;
    } else {
      AppendOctalUtf8(out, character);
    }
  }
  return out;
}

}  // namespace stavrel::cli
