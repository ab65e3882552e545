#!/bin/sh
# Writes <root>/DEBIAN/control for the staged package root: Depends from the
# shared libraries its programs link (dpkg-shlibdeps), Installed-Size from
# its files as dpkg counts them (a KiB or part of one for each file, one for
# each folder).
#   debian-control.sh <root> <debian version> <architecture>
set -eu
root=$(cd "$1" && pwd) deb_version=$2 arch=$3
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/packaging/release-common.sh"

# dpkg-shlibdeps works in the folder above debian/, as in a source package:
# it reads debian/control and expects the root to be debian/<package>.
debian=$(dirname "$root")
[ "$(basename "$debian")/$(basename "$root")" = debian/stavrel-cli ] || {
  echo "debian-control.sh: the root must be a folder debian/stavrel-cli, not $root" >&2
  exit 1
}
# It also looks for DEBIAN/ to know the package's root.
mkdir -p "$root/DEBIAN"
printf 'Source: stavrel\n\nPackage: stavrel-cli\nArchitecture: any\n' >"$debian/control"
depends=$(cd "$debian/.." &&
  dpkg-shlibdeps -O -edebian/stavrel-cli/usr/bin/stavrel-cli -edebian/stavrel-cli/usr/libexec/stavrel/gzip |
  sed -n 's/^shlibs:Depends=//p')
rm "$debian/control"
size=$(find "$root" -path "$root/DEBIAN" -prune -o -printf '%y %s\n' | awk '{ total += ($1 == "f") ? int(($2 + 1023) / 1024) : 1 } END { print total }')

cat >"$root/DEBIAN/control" <<CONTROL
Package: stavrel-cli
Version: $deb_version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $size
Depends: $depends
Section: utils
Priority: optional
Description: convert SNES save-state modules, unpack and repack Snes9x states
 stavrel-cli does from the command line, for many files at once, the three
 jobs of Stavrel, a tool for people who edit SNES emulator save states:
  * it writes a copy of a module (.mdl, a list of 26-byte variable records)
    with every address shifted by a conversion factor;
  * it decompresses a Snes9x save state into an editable .sds file;
  * it recompresses an .sds file into a save state.
 .
 Results are written under a temporary name and renamed only when complete,
 existing files are never overwritten unasked, and every failure names the
 file and the system's reason. The package brings Stavrel's own gzip, which
 the state commands run.
CONTROL
