#!/bin/sh
# Packs the Windows program folder of a built tree into
# <out dir>/stavrel-<version>-win64.zip and lists it in <out dir>/SHA256SUMS.
# The same bytes from any clone of one commit: the entries in name order,
# each with the commit's time (in UTC: zip stores local time), the same
# permissions, and no owner or extra time fields.
#   make-zip.sh <windows build dir> <out dir>
set -eu
usage="usage: make-zip.sh <windows build dir> <out dir>"
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/packaging/release-common.sh"
build=$(cd "${1:?$usage}" && pwd)
mkdir -p "${2:?$usage}"
out=$(cd "$2" && pwd)

version=$(release_version "$build")
release_date "$source_dir" "$version" >/dev/null
epoch=$(release_epoch "$source_dir")
name=stavrel-$version-win64

stage=$build/zip-root
rm -rf "$stage"
cmake --install "$build" --prefix "$stage/$name" >/dev/null
normalise_tree "$stage" "$epoch"

rm -f "$out"/stavrel-*-win64.zip "$out/$name.zip.part"
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC0 zip -X -D -q -@ "$out/$name.zip.part")
mv "$out/$name.zip.part" "$out/$name.zip"
rm -rf "$stage"
write_checksums "$out"
echo "$out/$name.zip"
