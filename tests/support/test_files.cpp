#include "test_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

#include "base/utf.h"
#include "platform/native_platform.h"
#ifdef _WIN32
#include "base/win32/long_path.h"
#else
#include "platform/posix/path_conversion.h"
#endif

namespace stavrel::test {
namespace fs = std::filesystem;

// Natively the conversions are the platform's own, so they do not depend on
// the process's locale.
fs::path NativePath(const std::wstring& path) {
#ifdef _WIN32
  return fs::path(win32::ExtendedLengthPath(path));
#else
  return fs::path(posix::ToPosixPath(path));
#endif
}

namespace {

std::wstring ProgramPath(const fs::path& native) {
#ifdef _WIN32
  return native.wstring();
#else
  return posix::FromPosixPath(native.string());
#endif
}

}  // namespace

TempFolder::TempFolder(const std::wstring& hint) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / NativePath(hint + L"-" + std::to_wstring(random() % 1000000));
    if (fs::create_directory(candidate)) {
      path_ = ProgramPath(candidate) + L"\\";
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
  const fs::path root = NativePath(path_);
  std::error_code ignored;  // a test that failed may have left a file open
  // Read-only files (Windows) and folders (Linux) would stop remove_all.
  for (auto entry = fs::recursive_directory_iterator(root, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root, ignored);
}

std::vector<std::wstring> TempFolder::Names() const {
  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(NativePath(path_)))
    names.push_back(ProgramPath(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file");
}

Bytes ReadBytes(const std::wstring& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file");
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path) { return fs::exists(NativePath(path)); }

std::unique_ptr<Platform> MakePlatform(const std::wstring& program_folder) {
  if (program_folder.empty()) return std::make_unique<NativePlatform>();
  return std::make_unique<NativePlatform>(program_folder);
}

fs::path BuildMachinePath(const std::string& path) {
  fs::path built = path;
#ifdef _WIN32
  // Under Wine the build machine's "/" is drive Z:.
  std::wstring windows = L"Z:" + built.wstring();
  std::replace(windows.begin(), windows.end(), L'/', L'\\');
  built = windows;
#endif
  return built;
}

GzipProgramFolder::GzipProgramFolder(const std::wstring& hint) : folder_(hint) {
  // STAVREL_GZIP is the built gzip's path on the build machine.
  fs::copy_file(BuildMachinePath(STAVREL_GZIP), NativePath(folder_ / L"gzip.exe"),
                fs::copy_options::overwrite_existing);
}

namespace {

// An empty value unsets the variable.
void SetEnvironment(const std::wstring& name, const std::wstring& value) {
#ifdef _WIN32
  _wputenv_s(name.c_str(), value.c_str());
#else
  if (value.empty())
    unsetenv(WideToUtf8(name).c_str());
  else
    setenv(WideToUtf8(name).c_str(), WideToUtf8(value).c_str(), 1);
#endif
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
  SetEnvironment(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironment(name_, L""); }

}  // namespace stavrel::test
