# Shared by make-zip.sh and make-deb.sh (sourced, not run): what both need
# to make release files that anyone rebuilding the same commit gets byte for
# byte.

# The version, from the header CMake generates out of project(VERSION).
release_version() {  # release_version <build dir>
  sed -n 's/^#define STAVREL_VERSION_TEXT "\(.*\)"$/\1/p' "$1/version/version.h"
}

# The time every file of the release carries: $SOURCE_DATE_EPOCH when set,
# else the time of the commit being built, so that it never depends on when
# or where the build ran.
release_epoch() {  # release_epoch <source dir>
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
  elif ! git -C "$1" log -1 --format=%ct 2>/dev/null; then
    echo "$0: $1 is not a git checkout: set SOURCE_DATE_EPOCH to the release's time" \
      "(seconds since 1970)" >&2
    return 1
  fi
}

# The date of the version's entry in CHANGELOG.md ("## 1.2.0 (2027-01-31)"),
# which must be the newest: a release without its changes written is refused.
release_date() {  # release_date <source dir> <version>
  newest=$(grep -m1 '^## ' "$1/CHANGELOG.md")
  date=$(echo "$newest" | sed -n "s/^## $(echo "$2" | sed 's/\./\\./g') (\([0-9-]*\))\$/\1/p")
  if [ -z "$date" ]; then
    echo "$0: the newest entry of CHANGELOG.md is \"$newest\", not version $2:" \
      "add \"## $2 (YYYY-MM-DD)\" and its changes at the top" >&2
    return 1
  fi
  echo "$date"
}

# Gives every file and folder under <root> the same time and permissions on
# any machine, whatever the umask: folders and programs 755, the rest 644.
normalise_tree() {  # normalise_tree <root> <epoch>
  find "$1" -type d -exec chmod 0755 {} +
  find "$1" -type f -perm /111 -exec chmod 0755 {} +
  find "$1" -type f ! -perm /111 -exec chmod 0644 {} +
  find "$1" -exec touch -h -d "@$2" {} +
}

# <out>/SHA256SUMS for the zip and the package there, as `sha256sum -c` reads it.
write_checksums() {  # write_checksums <out dir>
  (
    cd "$1"
    find . -maxdepth 1 -type f \( -name '*.zip' -o -name '*.deb' \) | sed 's|^\./||' | LC_ALL=C sort |
      while read -r file; do sha256sum -- "$file"; done >SHA256SUMS.part
    mv SHA256SUMS.part SHA256SUMS
  )
}

# Who answers for the Debian package (its control file and changelog).
maintainer="Stavrel developers <stavrel@stavrel.example>"
