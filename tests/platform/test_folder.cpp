#include "test_folder.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "file_fixtures.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
std::wstring MakeUniqueFolder() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPathW failed");
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const unsigned long long unique =
        GetTickCount64() * 1000003ull + GetCurrentProcessId() * 131ull + ++counter;
    std::wstring path = std::wstring(temp, length) + L"stavrel t\u00e9st-" +
                        std::to_wstring(unique % 1000000007ull);
    if (CreateDirectoryW(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot create a test folder");
}
#else
std::wstring MakeUniqueFolder() {
  const char* temp = getenv("TMPDIR");
  std::string pattern =
      std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/stavrel t\xC3\xA9st-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return PlatformPath(fs::path(pattern));
}
#endif

}  // namespace

TestFolder::TestFolder() : path_(MakeUniqueFolder()) {}

TestFolder::~TestFolder() {
  const fs::path root = NativePath(path_);
  std::error_code ignored;
  // Read-only files (Windows) and folders (Linux) would stop remove_all.
  for (auto entry = fs::recursive_directory_iterator(root, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root, ignored);
}
