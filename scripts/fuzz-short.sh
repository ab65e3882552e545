#!/bin/sh
# Builds the libFuzzer targets and runs each for SECONDS seconds (default
# 20), two at a time. The committed seeds in fuzz/corpus/ are copied first,
# so what a run adds stays in build/fuzz/fuzz-runs/. Prints the executions
# per target; exits non-zero when a target failed, naming the crash file.
set -u
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets="factor_text path_names module_converter gzip_reader lzw_decoder pack_decoder"
runs="$root/build/fuzz/fuzz-runs"

mkdir -p build/fuzz
log="$root/build/fuzz/build.log"
if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2; } >"$log" 2>&1; then
  grep -E -A5 'error|Error' "$log" | head -60
  echo "fuzz: the build failed (see $log)"
  exit 1
fi

run_target() {  # run_target <name>: one timed run, its output in <name>.log
  dir="$runs/$1"
  rm -rf "$dir" "$dir.rc"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  cp fuzz/corpus/"$1"/* "$dir/corpus/"
  # -timeout: a single input that runs this long counts as a hang.
  "$root/build/fuzz/bin/$1_fuzzer" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir.log" 2>&1
  echo $? >"$dir.rc"
}

report() {  # report <name>: one line, and the failure's details when it failed
  dir="$runs/$1"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir.log")
  if [ "$(cat "$dir.rc")" = 0 ]; then
    echo "$1: ${executions:-?} executions in ${seconds} s"
    return 0
  fi
  echo "$1: FAILED after ${executions:-?} executions (log: $dir.log)"
  grep -E -A3 'property failed|ERROR:|runtime error|SUMMARY' "$dir.log" | head -20
  for crash in "$dir"/artifacts/*; do
    [ -e "$crash" ] && echo "$1: crash file $crash"
  done
  return 1
}

mkdir -p "$runs"
# Two cores: two targets at a time.
set -- $targets
while [ $# -gt 0 ]; do
  run_target "$1" &
  if [ $# -gt 1 ]; then run_target "$2" & fi
  wait
  shift; [ $# -gt 0 ] && shift
done

failed=0
for t in $targets; do report "$t" || failed=1; done
exit $failed
