#!/bin/bash
# Times stavrel-cli converting 100 modules of 1 MB in one command against
# copying the same files, in one run, and prints the ratio (goal: <= 1.3).
# Natively the copy is cp; under Wine it is Wine's own "copy", so both sides
# pay for Wine. Then the largest resident size (/usr/bin/time -v) for one
# 1 MB module, 100 of them and one big module: it must not grow with the
# number of files.
#
# usage: cli-bench.sh <stavrel-cli> [<stavrel-cli.exe> <wine-runner>] [runs]
# Each time is the median of `runs` (default 5) wall-clock times.
set -eu

native=${1:?usage: cli-bench.sh <stavrel-cli> [<stavrel-cli.exe> <wine-runner>] [runs]}
windows=${2:-}
wine_run=${3:-}
runs=${4:-5}
case $native in /*) ;; *) native=$PWD/$native ;; esac
case $windows in /* | "") ;; *) windows=$PWD/$windows ;; esac
case $wine_run in /* | "") ;; *) wine_run=$PWD/$wine_run ;; esac

work=$(mktemp -d "${TMPDIR:-/tmp}/cli-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# Modules of ~$2 bytes: whole 26-byte records with varied addresses.
module() {
  perl -e 'my ($size) = @ARGV; my $n = int($size / 26);
    for my $i (0 .. $n - 1) { print pack("a21 l< a1", sprintf("V%020d", $i), $i * 37 - 500000, "x") }' \
    "$2" >"$1"
}

mkdir sources
module sources/m000.mdl 1048576
for n in $(seq -w 1 99); do cp sources/m000.mdl "sources/m0$n.mdl"; done

# Seconds for one run of "$@" into an empty out/.
time_once() {
  local start
  rm -rf out && mkdir out
  start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  awk -v a="$EPOCHREALTIME" -v b="$start" 'BEGIN { print a - b }'
}

median() { printf '%s\n' "$@" | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

# compare LABEL OURS COPY: the median of `runs` for each, the two taking
# turns so that both meet the same load on a shared machine.
compare() {
  local label=$1 ours=$2 copy=$3 i ours_times=() copy_times=()
  for ((i = 0; i < runs; i++)); do
    ours_times+=("$(time_once "$ours")")
    copy_times+=("$(time_once "$copy")")
  done
  local ours_median copy_median
  ours_median=$(median "${ours_times[@]}")
  copy_median=$(median "${copy_times[@]}")
  printf '%-34s %9.3f %9.3f %7.2f\n' "$label" "$ours_median" "$copy_median" \
    "$(awk -v a="$ours_median" -v b="$copy_median" 'BEGIN { print a / b }')"
}

native_ours() { "$native" convert --factor 5 --output-dir out sources/*.mdl; }
native_copy() { cp sources/*.mdl out/; }
wine_ours() { "$wine_run" "$windows" convert --factor 5 --output-dir out sources/*.mdl; }
wine_copy() { "$wine_run" cmd /c copy /b /y 'sources\*.mdl' 'out\'; }

printf '%-34s %9s %9s %7s\n' "100 modules x 1 MB" "ours s" "copy s" "ratio"
compare "native: stavrel-cli / cp" native_ours native_copy
[ -n "$windows" ] && compare "Wine: stavrel-cli.exe / copy" wine_ours wine_copy

max_rss() {
  rm -rf out && mkdir out
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}
module big.mdl $((512 * 1048576))
echo
printf '%-34s %12s\n' "native stavrel-cli" "max RSS KB"
printf '%-34s %12s\n' "1 module of 1 MB" "$(max_rss "$native" convert --factor 5 --output-dir out sources/m000.mdl)"
printf '%-34s %12s\n' "100 modules of 1 MB" "$(max_rss "$native" convert --factor 5 --output-dir out sources/*.mdl)"
printf '%-34s %12s\n' "1 module of 512 MB" "$(max_rss "$native" convert --factor 5 --output-dir out big.mdl)"
