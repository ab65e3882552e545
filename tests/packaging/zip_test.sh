#!/bin/bash
# The zip `make dist` makes from a built Windows tree: made twice, with other
# time zones, umasks and times, it is the same bytes; SHA256SUMS checks it;
# it holds exactly the program folder, every entry with the commit's time,
# fixed permissions and no extra fields; and no program carries a link time.
#   zip_test.sh <windows build dir>
set -u
build=$(realpath "${1:?usage: zip_test.sh <windows build dir>}")
source_dir=$(realpath "$(dirname "$0")/../..")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(umask 022 && TZ=UTC "$source_dir/packaging/make-zip.sh" "$build" "$work/one" >/dev/null) || fail "make-zip.sh failed"
sleep 2  # the zip's times have two-second steps
(umask 077 && TZ=Pacific/Chatham "$source_dir/packaging/make-zip.sh" "$build" "$work/other" >/dev/null) ||
  fail "make-zip.sh failed the second time"
zip=$(ls "$work"/one/stavrel-*-win64.zip)
name=$(basename "$zip" .zip)
cmp "$zip" "$work/other/$name.zip" || fail "two zips of one tree differ"
(cd "$work/one" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"

version=$(sed -n 's/^#define STAVREL_VERSION_TEXT "\(.*\)"$/\1/p' "$build/version/version.h")
[ "$name" = "stavrel-$version-win64" ] || fail "the zip is named $name, not for version $version"
expected="-rw-r--r-- CHANGELOG.md
-rw-r--r-- LICENSE
-rw-r--r-- README.md
-rw-r--r-- docs/guide.md
$(cd "$source_dir/docs" && ls images/*.png | sed 's|^|-rw-r--r-- docs/|')
-rwxr-xr-x gzip.exe
-rwxr-xr-x stavrel-cli.exe
-rwxr-xr-x stavrel.exe"
listed=$(zipinfo "$zip" | awk 'NF >= 9 && $1 ~ /^[-d]/ { print $1, $9 }' | sed "s| $name/| |" | LC_ALL=C sort -k2)
[ "$listed" = "$(echo "$expected" | LC_ALL=C sort -k2)" ] || fail "the zip holds:"$'\n'"$listed"

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct)}
# zip rounds an odd second up to the next even one.
stamp=$(TZ=UTC date -d "@$((epoch + epoch % 2))" +%Y%m%d.%H%M%S)
times=$(zipinfo -T "$zip" | awk 'NF >= 8 && $1 ~ /^-/ { print $7 }' | sort -u)
[ "$times" = "$stamp" ] || fail "entry times are $times, not the commit's $stamp (UTC)"
zipinfo -v "$zip" | grep 'length of extra field' | grep -qv ' 0 bytes' && fail "entries carry extra fields"

# The PE header's TimeDateStamp: 4 bytes, 8 bytes into the header that the
# 32-bit value at 0x3c points to.
unzip -q "$zip" -d "$work/unpacked"
for exe in stavrel.exe stavrel-cli.exe gzip.exe; do
  file=$work/unpacked/$name/$exe
  header=$(od -An -t u4 -j 60 -N 4 "$file" | tr -d ' ')
  stamp=$(od -An -t u4 -j $((header + 8)) -N 4 "$file" | tr -d ' ')
  [ "$stamp" = 0 ] || fail "$exe carries the link time $stamp"
done

echo "zip_test: $failures failures"
[ "$failures" -eq 0 ]
