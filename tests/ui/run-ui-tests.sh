#!/bin/sh
# The DPI-dependent part of the UI tests: a picture of the window at 96 DPI,
# then the layout check and a picture at 144 DPI (150 %). The session's DPI
# is put back as it was, whatever happens.
#   run-ui-tests.sh <wine runner> <ui_tests.exe> <program folder> <picture folder>
set -u
[ $# -eq 4 ] || { echo "usage: $0 <wine runner> <ui_tests.exe> <program folder> <picture folder>" >&2; exit 2; }
runner=$1 tests=$2 bin=$3 pictures=$4

[ -n "${DISPLAY:-}" ] || { echo "DISPLAY is not set: the UI tests need a screen (Xvfb with openbox)" >&2; exit 1; }
[ -f "$bin/stavrel.exe" ] || { echo "$bin/stavrel.exe is missing: build the window first" >&2; exit 1; }
mkdir -p "$pictures"

# Under Wine the build machine's "/" is drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

desktop='HKCU\Control Panel\Desktop'
set_dpi() { "$runner" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
was=$("$runner" reg query "$desktop" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
original=$(( ${was:-96} ))
trap 'set_dpi "$original"' EXIT
trap 'exit 1' INT TERM

status=0
# run_at <dpi> <picture name> <test filter>
run_at() {
  set_dpi "$1" || { echo "cannot set LogPixels to $1" >&2; status=1; return; }
  rm -f "$pictures/$2.bmp" "$pictures/$2.png"
  STAVREL_UI_DPI=$1 STAVREL_UI_SCREENSHOT=$(windows_path "$pictures/$2.bmp") \
    "$runner" "$tests" --gtest_filter="$3" || status=1
  if [ -f "$pictures/$2.bmp" ]; then
    convert "$pictures/$2.bmp" "$pictures/$2.png" && rm -f "$pictures/$2.bmp" || status=1
    echo "picture: $pictures/$2.png"
  else
    echo "no picture was taken at $1 DPI" >&2
    status=1
  fi
}

run_at 96 main 'Screenshot.*'
run_at 144 main-150 '*Dpi150*:Screenshot.*'
exit $status
