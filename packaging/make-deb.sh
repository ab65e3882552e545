#!/bin/sh
# Builds the command line in build/package with Debian's flags and packs it
# into <out dir>/stavrel-cli_<version>-<revision>_<arch>.deb, listed in
# <out dir>/SHA256SUMS: stavrel-cli, its gzip in /usr/libexec/stavrel, the
# manual page, bash completion, the guide, the copyright and the changelogs.
# The same bytes from any clone of one commit.
#   make-deb.sh <out dir>
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/packaging/release-common.sh"
mkdir -p "${1:?usage: make-deb.sh <out dir>}"
out=$(cd "$1" && pwd)
# The package's own revision of the upstream version; 1 for each new version.
revision=1
build=$source_dir/build/package

# Debian's hardening flags. Run from the source folder: the flags map that
# folder to "." in everything compiled.
cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
mkdir -p "$build"
log=$build/make-deb.log
: >"$log"
# run <step...>: its output goes to the log, whose end is shown if it fails.
run() {
  "$@" >>"$log" 2>&1 || {
    tail -40 "$log" >&2
    echo "make-deb.sh: \"$*\" failed; the whole log is $log" >&2
    exit 1
  }
}
run cmake --preset package \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
version=$(release_version "$build")
date=$(release_date "$source_dir" "$version")
epoch=$(release_epoch "$source_dir")
# Also what the compiler gives __DATE__ and __TIME__, were they used.
export SOURCE_DATE_EPOCH=$epoch
run cmake --build --preset package -j2

arch=$(dpkg --print-architecture)
deb_version=$version-$revision

stage=$build/deb/debian/stavrel-cli
rm -rf "$build/deb"
DESTDIR=$stage cmake --install "$build" --strip >/dev/null
"$source_dir/packaging/debian-files.sh" "$stage" "$version" "$deb_version" "$date"
"$source_dir/packaging/debian-control.sh" "$stage" "$deb_version" "$arch"
(cd "$stage" && find usr -type f | LC_ALL=C sort | xargs md5sum >DEBIAN/md5sums)
normalise_tree "$stage" "$epoch"

name=stavrel-cli_${deb_version}_$arch.deb
rm -f "$out"/stavrel-cli_*.deb
# One compression thread on every machine: xz with several threads cuts large
# data into blocks, with one it does not, and dpkg-deb takes as many threads
# as there are cores.
dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "$stage" "$out/$name.part" >/dev/null
mv "$out/$name.part" "$out/$name"
rm -rf "$build/deb"
write_checksums "$out"
echo "$out/$name"
