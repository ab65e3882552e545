#!/bin/sh
# The distributed zip works on its own: unpacked into a folder whose name has
# a blank, its stavrel.exe and its stavrel-cli.exe each complete a state
# cycle with its own gzip.exe.
#   dist-cycle.sh <wine runner> <ui_tests.exe> <windows build dir>
set -eu
runner=$1 ui_tests=$2 build=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip=$("$(dirname "$0")/../../packaging/make-zip.sh" "$build" "$work/pack")
mkdir -p "$work/Program Files é"
(cd "$work/Program Files é" && cmake -E tar xf "$zip")
folder=$(ls -d "$work/Program Files é"/stavrel-*-win64)
for f in stavrel.exe stavrel-cli.exe gzip.exe README.md LICENSE CHANGELOG.md docs/guide.md; do
  [ -f "$folder/$f" ] || { echo "missing from the zip: $f" >&2; exit 1; }
done
STAVREL_PROGRAM_FOLDER="Z:$(echo "$folder" | tr / '\\')" \
  "$runner" "$ui_tests" --gtest_filter='StateFilesTest.DecompressAndRecompressThroughTheDialogs'
mkdir "$work/states"
printf 'state data\n' >"$work/states/data"
gzip -c "$work/states/data" >"$work/states/game.003"
(cd "$work/states" && "$runner" "$folder/stavrel-cli.exe" decompress game.003 >/dev/null &&
  "$runner" "$folder/stavrel-cli.exe" recompress game.sds >/dev/null)
gzip -dc "$work/states/game.000" | cmp -s - "$work/states/data" ||
  { echo "stavrel-cli from the zip did not complete a state cycle" >&2; exit 1; }
