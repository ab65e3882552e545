#!/bin/sh
# Builds every tree and runs every test; ends with one summary line.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
log="$root/build/test-logs"
mkdir -p "$log"
results=""
failed=0

step() {  # step <name> <command...>: runs a step, remembers how it went
  name=$1; shift
  echo "== $name"
  if "$@"; then results="$results $name:ok"; else results="$results $name:FAILED"; failed=1; fi
}

build() {
  cmake --preset "$1" >"$log/configure-$1.log" 2>&1 || { tail -40 "$log/configure-$1.log"; return 1; }
  cmake --build --preset "$1" -j2 >"$log/build-$1.log" 2>&1 || { grep -E -A5 'error|Error' "$log/build-$1.log" | head -60; return 1; }
}

step "format-check" scripts/format-check.sh

for tree in linux linux-asan windows; do
  step "build-$tree" build "$tree" || true
done

# A tiny filesystem to fill, for the full-disk tests, where the machine lets us.
small_disk="$root/build/small-disk"
mkdir -p "$small_disk"
if mountpoint -q "$small_disk" || mount -t tmpfs -o size=64k tmpfs "$small_disk" 2>/dev/null; then
  export STAVREL_SMALL_DISK="$small_disk"
fi
cleanup() {
  scripts/wine-session.sh stop
  if mountpoint -q "$small_disk"; then umount "$small_disk"; fi
}
trap cleanup EXIT INT TERM

# The full-disk tests share the small disk: one tree at a time.
step "test-linux" ctest --test-dir build/linux -j2 --output-on-failure
step "test-linux-asan" ctest --test-dir build/linux-asan -j2 --output-on-failure

# The Debian package of stavrel-cli, built as `make deb` builds it (into a
# folder of its own, leaving build/dist to make dist and make deb).
package() {
  packaging/make-deb.sh build/package-test >/dev/null &&
    bash tests/packaging/deb_test.sh build/package-test/stavrel-cli_*.deb .
}
step "package" package

DISPLAY=$(scripts/wine-session.sh start 96)
export DISPLAY
step "test-windows" ctest --test-dir build/windows --output-on-failure

if [ -x scripts/fuzz-short.sh ]; then step "fuzz" scripts/fuzz-short.sh 20; fi

echo
if [ $failed -eq 0 ]; then
  echo "make test: PASSED ($(echo $results | wc -w) steps:$results)"
else
  echo "make test: FAILED ($results )"
fi
exit $failed
