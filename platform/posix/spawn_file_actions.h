#pragma once
// Owners of what posix_spawn is told: the child's descriptors, its process group.
#include <spawn.h>

#include <string>

#include "base/posix/posix_error.h"

namespace stavrel::posix {

class SpawnFileActions {
 public:
  // operation and path name what is being started, for error messages.
  SpawnFileActions(const wchar_t* operation, std::wstring path)
      : operation_(operation), path_(std::move(path)) {
    Check(posix_spawn_file_actions_init(&actions_));
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;
  ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }

  const posix_spawn_file_actions_t* Get() const noexcept { return &actions_; }

  void Open(int fd, const char* path, int flags) {
    Check(posix_spawn_file_actions_addopen(&actions_, fd, path, flags, 0));
  }
  void Duplicate(int fd, int new_fd) {
    Check(posix_spawn_file_actions_adddup2(&actions_, fd, new_fd));
  }
  void CloseFrom(int lowest_fd) {
    Check(posix_spawn_file_actions_addclosefrom_np(&actions_, lowest_fd));
  }
  void ChangeDirectory(const char* path) {
    Check(posix_spawn_file_actions_addchdir_np(&actions_, path));
  }

 private:
  // These return the error instead of setting errno.
  void Check(int error) {
    if (error != 0) throw ErrnoError(operation_, path_, error);
  }

  const wchar_t* operation_;
  std::wstring path_;
  posix_spawn_file_actions_t actions_{};
};

// Owns a posix_spawnattr_t that starts the child in a process group of its
// own: a Ctrl+C at the terminal is then the caller's to act on (it stops the
// child itself and cleans up), not the child's.
class SpawnInOwnProcessGroup {
 public:
  SpawnInOwnProcessGroup(const wchar_t* operation, const std::wstring& path) {
    if (const int error = posix_spawnattr_init(&attributes_); error != 0)
      throw ErrnoError(operation, path, error);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes_, 0);
  }
  SpawnInOwnProcessGroup(const SpawnInOwnProcessGroup&) = delete;
  SpawnInOwnProcessGroup& operator=(const SpawnInOwnProcessGroup&) = delete;
  ~SpawnInOwnProcessGroup() { posix_spawnattr_destroy(&attributes_); }

  const posix_spawnattr_t* Get() const noexcept { return &attributes_; }

 private:
  posix_spawnattr_t attributes_{};
};

}  // namespace stavrel::posix
