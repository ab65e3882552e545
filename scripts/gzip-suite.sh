#!/bin/sh
# Runs the tests that ship with GNU gzip 1.12 against our native gzip: fetches
# GNU's release source through Debian's source package into build/gzip-suite
# (nothing of it enters the repository), builds it, puts our gzip in place of
# its gzip binary (GNU's gunzip, zcat, zgrep... scripts stay and call ours),
# runs its tests/ and prints each verdict and the pass and fail count.
#
# usage: gzip-suite.sh [our-gzip]   (default build/linux/bin/gzip)
# The system's apt configuration is left alone: the source index lives in
# build/gzip-suite/apt.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
ours=${1:-build/linux/bin/gzip}
case $ours in /*) ;; *) ours=$root/$ours ;; esac
[ -x "$ours" ] || { echo "gzip-suite: $ours: no such program (build it first)" >&2; exit 1; }

work=$root/build/gzip-suite
version=1.12
tree=$work/gzip-$version
mkdir -p "$work/apt/parts" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"

fetch_source() {
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$work/apt/parts/src.sources"
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/apt/parts/src.list"
  else
    echo "gzip-suite: no apt source list to derive a deb-src entry from" >&2
    exit 1
  fi
  set -- -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt/parts" \
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o Debug::NoLocking=1
  apt-get "$@" update >"$work/apt-update.log" 2>&1 ||
    { cat "$work/apt-update.log" >&2; exit 1; }
  (cd "$work" && apt-get "$@" source --download-only "gzip=$version-1") >"$work/apt-source.log" 2>&1 ||
    (cd "$work" && apt-get "$@" source --download-only gzip) >>"$work/apt-source.log" 2>&1 ||
    { cat "$work/apt-source.log" >&2; exit 1; }
}

orig=$work/gzip_$version.orig.tar.xz
if [ ! -f "$orig" ]; then
  echo "== fetching GNU gzip $version's source (Debian source package)"
  fetch_source
  [ -f "$orig" ] || { echo "gzip-suite: apt gave no $orig" >&2; ls "$work" >&2; exit 1; }
fi

if [ ! -x "$tree/gzip.gnu" ]; then
  echo "== building GNU gzip $version (its scripts and test harness)"
  rm -rf "$tree"
  tar -xJf "$orig" -C "$work"
  (cd "$tree" && ./configure --quiet >"$work/configure.log" 2>&1 && nice -n 5 make -j2 >"$work/make.log" 2>&1) ||
    { tail -30 "$work/configure.log" "$work/make.log" >&2; exit 1; }
  # GNU's own binary stays beside, for comparing by hand.
  cp "$tree/gzip" "$tree/gzip.gnu"
fi

cp "$ours" "$tree/gzip"
# Newer than its objects, so that make keeps ours rather than relinking.
touch "$tree/gzip"

echo "== GNU gzip $version's tests against $ours"
rm -f "$tree"/tests/*.trs "$tree"/tests/*.log
(cd "$tree/tests" && make -k check VERBOSE=no >"$work/check.log" 2>&1) || true
pass=0 fail=0 skip=0
for test in $(sed -n '/^TESTS =/,/^$/p' "$tree/tests/Makefile.am" | tr -d '\\' | sed 's/^TESTS =//'); do
  result=$(sed -n 's/^:test-result: //p' "$tree/tests/$test.trs" 2>/dev/null || true)
  echo "${result:-ERROR}: $test"
  case $result in PASS) pass=$((pass + 1)) ;; SKIP) skip=$((skip + 1)) ;; *) fail=$((fail + 1)) ;; esac
done
echo "gzip-suite: $pass passed, $fail failed, $skip skipped (logs: build/gzip-suite/gzip-$version/tests/<test>.log)"
