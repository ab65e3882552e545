#include "file_fixtures.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/utf.h"

namespace fs = std::filesystem;

std::wstring PlatformPath(const std::filesystem::path& native) {
#ifdef _WIN32
  return native.wstring();
#else
  return stavrel::Utf8ToWide(native.string());
#endif
}

std::string Utf8Of(const std::wstring& text) { return stavrel::WideToUtf8(text); }

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  std::ofstream file(NativePath(path), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  ASSERT_TRUE(file) << "cannot write " << NativePath(path);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(NativePath(path), std::ios::binary | std::ios::ate);
  EXPECT_TRUE(file) << "cannot read " << NativePath(path);
  if (!file) return "";
  std::string bytes(static_cast<std::size_t>(file.tellg()), '\0');
  file.seekg(0);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(file) << "cannot read " << NativePath(path);
  return bytes;
}

void MakeFolder(const std::wstring& path) {
  fs::create_directory(NativePath(path));
}

bool TryMakeHardLink(const std::wstring& existing, const std::wstring& link) {
  std::error_code error;
  fs::create_hard_link(NativePath(existing), NativePath(link), error);
  return !error;
}

void SetReadOnly(const std::wstring& path, bool read_only) {
  // On Windows this sets or clears FILE_ATTRIBUTE_READONLY.
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(NativePath(path), write,
                  read_only ? fs::perm_options::remove : fs::perm_options::add);
}

bool ReadOnlyIsEnforced(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\read-only probe";
  WriteBytes(probe, "");
  SetReadOnly(probe, true);
  const bool enforced = !std::ofstream(NativePath(probe), std::ios::binary | std::ios::app);
  SetReadOnly(probe, false);
  fs::remove(NativePath(probe));
  return enforced;
}

void CopyProgram(const std::wstring& from, const std::wstring& to) {
  fs::copy_file(NativePath(from), NativePath(to));
  fs::permissions(NativePath(to), fs::perms::owner_exec, fs::perm_options::add);
}

std::string AwkwardBytes(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 24);
  }
  const std::string_view marks("\0\r\n\x1A\xFF", 5);
  for (std::size_t at = 0; at < marks.size() && at < size; ++at)
    bytes[at] = marks[at];
  return bytes;
}
