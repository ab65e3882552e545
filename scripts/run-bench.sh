#!/bin/sh
# Prints the speed figures: converter against a plain copy (native and under
# Wine), a full state cycle under Wine, stavrel-cli on a batch against a plain
# copy, and our gzip against the system's.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
echo "== module converter / plain copy, native"
build/linux/bin/converter_bench
display=$(scripts/wine-session.sh start 96)
trap 'scripts/wine-session.sh stop' EXIT INT TERM
run="cmake/wine-run.sh"
echo "== module converter / plain copy, under Wine"
$run build/windows/bin/converter_bench.exe
echo "== state cycle under Wine"
$run build/windows/bin/state_cycle_bench.exe "Z:$(echo "$root/build/windows/bin" | tr / '\\')"
echo "== state cycle, native"
# Natively the program folder holds our gzip under its Windows name too.
mkdir -p build/linux/program && ln -sf ../bin/gzip build/linux/program/gzip.exe
build/linux/bin/state_cycle_bench build/linux/program
echo "== stavrel-cli: 100 modules / cp, native and under Wine; memory"
bench/cli-bench.sh build/linux/bin/stavrel-cli build/windows/bin/stavrel-cli.exe "$run"
if [ -x bench/gzip-bench.sh ]; then
  echo "== gzip: ours / system"
  bench/gzip-bench.sh build/linux/bin/gzip
fi
