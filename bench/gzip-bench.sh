#!/bin/bash
# Times our gzip against the system's GNU gzip at the default level, the way
# Stavrel runs it (in place, output file written and flushed), compressing
# and decompressing a 1 MB and a 64 MB save-state-like file.
#
# usage: gzip-bench.sh <our-gzip> [runs]
# Each figure is the best of `runs` (default 7) wall-clock times. Goal: the
# ratio ours/system stays at or below 1.2. Ours always flushes its output to
# disk before it replaces anything or removes the input; GNU gzip does so only
# with --synchronous, so that is timed too, for the like-for-like ratio.
set -eu

ours=${1:?usage: gzip-bench.sh <our-gzip> [runs]}
runs=${2:-7}
reference=${GZIP_REFERENCE:-/usr/bin/gzip}
case $ours in /*) ;; *) ours=$PWD/$ours ;; esac
unset GZIP

work=$(mktemp -d "${TMPDIR:-/tmp}/gzip-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A save state: fixed-layout records (registers, tables, mostly empty RAM
# pages) with noise in a fraction of each, so it compresses about 4:1.
make_state() {
  perl -e '
    srand(1994);
    my ($size) = @ARGV;
    my @pattern = map { chr(($_ * 7) & 0xff) } 0 .. 63;
    my $out = "";
    for (my $i = 0; length($out) < $size; ++$i) {
      $out .= pack("A4 N n", "BLK", $i, $i & 0x3ff);
      $out .= join("", map { chr(int(rand(256))) } 1 .. 22);
      $out .= join("", @pattern[0 .. 31]);
      $out .= "\0" x 64;
    }
    print substr($out, 0, $size);' "$1" >"$2"
}

# Seconds for one run of "$@", best of $runs.
best_time() {
  local best= start elapsed i
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    elapsed=$(awk -v a="$EPOCHREALTIME" -v b="$start" 'BEGIN { print a - b }')
    if [ -z "$best" ] || awk -v e="$elapsed" -v b="$best" 'BEGIN { exit !(e < b) }'; then best=$elapsed; fi
  done
  printf '%.3f' "$best"
}

printf '%-18s %8s %8s %7s %11s %7s\n' "case" "ours s" "GNU s" "ratio" "GNU sync s" "ratio"
worst=0
worst_sync=0
for size in 1048576 67108864; do
  label=$((size / 1048576))MB
  for side in ours gnu sync; do
    mkdir -p "$work/$side"
    make_state "$size" "$work/$side/state.sds"
  done
  for step in compress decompress; do
    if [ $step = compress ]; then
      args=(-k -f state.sds)
    else
      # Both decompress what GNU gzip wrote, so the work is the same.
      (cd "$work/gnu" && "$reference" -k -f state.sds)
      cp "$work/gnu/state.sds.gz" "$work/ours/state.sds.gz"
      cp "$work/gnu/state.sds.gz" "$work/sync/state.sds.gz"
      args=(-d -k -f state.sds.gz)
    fi
    t_ours=$(cd "$work/ours" && best_time "$ours" "${args[@]}")
    t_gnu=$(cd "$work/gnu" && best_time "$reference" "${args[@]}")
    t_sync=$(cd "$work/sync" && best_time "$reference" --synchronous "${args[@]}")
    ratio=$(awk -v a="$t_ours" -v b="$t_gnu" 'BEGIN { print a / b }')
    ratio_sync=$(awk -v a="$t_ours" -v b="$t_sync" 'BEGIN { print a / b }')
    printf '%-18s %8s %8s %7.2f %11s %7.2f\n' "$step $label" "$t_ours" "$t_gnu" "$ratio" "$t_sync" "$ratio_sync"
    worst=$(awk -v r="$ratio" -v w="$worst" 'BEGIN { print (r > w ? r : w) }')
    worst_sync=$(awk -v r="$ratio_sync" -v w="$worst_sync" 'BEGIN { print (r > w ? r : w) }')
    if [ $step = compress ]; then
      "$reference" -dc "$work/ours/state.sds.gz" | cmp -s - "$work/ours/state.sds" || { echo "GNU gzip cannot read ours" >&2; exit 1; }
      sizes="$(stat -c %s "$work/ours/state.sds.gz") $(stat -c %s "$work/gnu/state.sds.gz")"
    else
      cmp -s "$work/ours/state.sds" "$work/gnu/state.sds" || { echo "ours decompressed differently" >&2; exit 1; }
    fi
  done
  printf '%-18s %8s %8s  (bytes)\n' "size $label" $sizes
  rm -rf "$work/ours" "$work/gnu" "$work/sync"
done
printf 'worst ratio ours/GNU: %.2f, ours/GNU --synchronous: %.2f (goal <= 1.20)\n' "$worst" "$worst_sync"
