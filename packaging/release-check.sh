#!/bin/sh
# Rebuilds the release files (make dist deb) from two fresh clones of the
# commit checked out here and checks that they are the same bytes. The two
# clones lie in different folders and are built one after the other, so at
# different times, with different time zones, locales and umasks, and, when
# this runs as root, the second as another user. Then checks SHA256SUMS and
# runs the package's tests on the result.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$source_dir" rev-parse HEAD)
git -C "$source_dir" diff --quiet HEAD ||
  echo "release-check: note: uncommitted changes are not part of the check (commit $commit is)"

one=$source_dir/build/release-check/one/stavrel
rm -rf "$source_dir/build/release-check"
other_root=$(mktemp -d /tmp/stavrel-release-check.XXXXXX)
trap 'rm -rf "$other_root"' EXIT
chmod 755 "$other_root"
other="$other_root/another folder/stavrel"
other_user=
[ "$(id -u)" -eq 0 ] && getent passwd nobody >/dev/null && other_user=nobody

# build <clone> <user or empty> <umask> <time zone> <locale>
build() {
  echo "== make dist deb in $1 (user ${2:-$(id -un)}, umask $3, TZ=$4, LC_ALL=$5)"
  git clone -q "$source_dir" "$1"
  git -C "$1" checkout -q --detach "$commit"
  steps="umask $3 && cd '$1' && make dist deb"
  if [ -n "$2" ]; then
    mkdir -p "$1/../home"
    chown -R "$2" "$1/.." 
    runuser -u "$2" -- env HOME="$1/../home" TZ="$4" LC_ALL="$5" sh -c "$steps"
  else
    env TZ="$4" LC_ALL="$5" sh -c "$steps"
  fi >"$1.log" 2>&1 || { tail -30 "$1.log"; echo "release-check: the build in $1 failed; log: $1.log"; exit 1; }
}

build "$one" "" 022 UTC C.UTF-8
build "$other" "$other_user" 027 Pacific/Chatham C

# Which files of two unpacked releases differ, to say what was not pinned.
explain() {  # explain <file one> <file other>
  mkdir -p "$other_root/x/one" "$other_root/x/other"
  case $1 in
    *.zip) unzip -q "$1" -d "$other_root/x/one"; unzip -q "$2" -d "$other_root/x/other" ;;
    *.deb) dpkg-deb -R "$1" "$other_root/x/one"; dpkg-deb -R "$2" "$other_root/x/other" ;;
  esac
  diff -r "$other_root/x/one" "$other_root/x/other" || true
  rm -rf "$other_root/x"
}

status=0
echo "== comparing"
for file in $(cd "$one/build/dist" && ls); do
  if cmp -s "$one/build/dist/$file" "$other/build/dist/$file"; then
    echo "same bytes: $file"
  else
    echo "DIFFERENT: $file"
    explain "$one/build/dist/$file" "$other/build/dist/$file"
    status=1
  fi
done
(cd "$other/build/dist" && sha256sum -c SHA256SUMS) || status=1
echo "== SHA256SUMS"
cat "$one/build/dist/SHA256SUMS"

echo "== the package's tests"
bash "$source_dir/tests/packaging/deb_test.sh" "$one"/build/dist/stavrel-cli_*.deb "$one" || status=1

if [ $status -eq 0 ]; then echo "release-check: PASSED"; else echo "release-check: FAILED"; fi
exit $status
