// gzip built with a seam: once -r holds open the folder named by
// GZIP_SEAM_FOLDER, and before it reads the folder's names, the folder is
// moved to "<name>.real" and a symbolic link to GZIP_SEAM_LINK_TO takes its
// name. That is the swap a race makes now and then, made every time. What
// happened goes to GZIP_SEAM_LOG ("moved", "linked" or why not): on Windows
// the walk holds the folder, and the move must fail.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "session.h"

namespace {

void SwapForLink(const std::string& path) {
  const char* folder = std::getenv("GZIP_SEAM_FOLDER");
  const char* target = std::getenv("GZIP_SEAM_LINK_TO");
  const char* log = std::getenv("GZIP_SEAM_LOG");
  if (!folder || !target || !log || path != folder) return;
  std::ofstream said(log, std::ios::app);
  std::error_code error;
  std::filesystem::rename(path, path + ".real", error);
  if (error) {
    said << "not moved: " << error.message() << "\n";
    return;
  }
  std::filesystem::create_directory_symlink(target, path, error);
  said << "moved\n" << (error ? "not linked: " + error.message() : std::string("linked")) << "\n";
}

const bool installed = (gz::g_after_opening_folder = SwapForLink, true);

}  // namespace
