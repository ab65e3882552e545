#!/bin/sh
# Takes the users' guide's pictures from the real window under Wine (at
# 96 DPI) and writes them as small PNGs into docs/images/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
program=build/windows/tests/guide_pictures.exe
[ -f "$program" ] || { echo "$program is missing: build the windows tree first" >&2; exit 1; }

DISPLAY=$(scripts/wine-session.sh start 96)
export DISPLAY
trap 'scripts/wine-session.sh stop' EXIT INT TERM

pictures=build/guide-pictures
rm -rf "$pictures"
mkdir -p "$pictures" docs/images
# Under Wine the build machine's "/" is drive Z:.
cmake/wine-run.sh "$program" "$(printf 'Z:%s' "$root/$pictures" | tr / '\\')"
for bmp in "$pictures"/*.bmp; do
  # A window's few flat colours fit a 64-colour palette: a few KB a picture.
  convert "$bmp" -strip -colors 64 "PNG8:docs/images/$(basename "$bmp" .bmp).png"
done
ls -l docs/images
