#include "temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace stavrel::ui {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  const fs::path temp = fs::temp_directory_path();
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        temp / (L"stavrel ui t\u00e9st " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt));
    if (fs::create_directory(candidate)) {
      path_ = candidate.wstring() + L"\\";
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;  // a program ended the hard way may still hold a file for a moment
  fs::remove_all(path_, ignored);
}

std::vector<std::wstring> TempFolder::Names() const {
  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write a test file");
}

Bytes ReadBytes(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read a test file");
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace stavrel::ui
