#include "base/utf.h"

#include <cstdint>

namespace stavrel {
namespace {

constexpr char32_t kEscapedByteBase = 0xDC00;

// Length of the UTF-8 sequence starting at bytes[at], or 0 when it is not a
// valid one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t SequenceLength(std::string_view bytes, std::size_t at, char32_t& value) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    value = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, value = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t value) {
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t value = 0;
    const std::size_t length = SequenceLength(bytes, at, value);
    if (length == 0) {
      text += static_cast<wchar_t>(kEscapedByteBase + static_cast<unsigned char>(bytes[at]));
      ++at;
    } else {
      text += static_cast<wchar_t>(value);
      at += length;
    }
  }
  return text;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t character : text) {
    const auto value = static_cast<char32_t>(character);
    if (value >= kEscapedByteBase + 0x80 && value <= kEscapedByteBase + 0xFF) {
      bytes += static_cast<char>(value - kEscapedByteBase);
    } else if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
      AppendUtf8(bytes, U'\uFFFD');
    } else {
      AppendUtf8(bytes, value);
    }
  }
  return bytes;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t value = 0;
    const std::size_t length = SequenceLength(bytes, at, value);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::wstring LegacyTextToWide(std::string_view bytes) {
  std::wstring text;
  for (const char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return text;
}

}  // namespace stavrel
