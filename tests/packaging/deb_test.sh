#!/bin/bash
# The Debian package as a user gets it: its name and control fields, exactly
# the files it should hold (root's, with fixed modes and one time), what
# lintian says, the manual page as man renders it, the documents, and its
# stavrel-cli, unpacked into a temporary root, doing a state cycle and a
# batch conversion with the gzip in its libexec folder.
#   deb_test.sh <stavrel-cli_*.deb> <source folder>
set -u
deb=$(realpath "${1:?usage: deb_test.sh <deb> <source folder>}")
source_dir=$(realpath "${2:?}")
export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/stavrel deb é.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$1" = "$2" ] || fail "$3: got \"$1\", expected \"$2\""; }

version=$(sed -n 's/^## \([^ ]*\) (.*/\1/p' "$source_dir/CHANGELOG.md" | head -1)
arch=$(dpkg --print-architecture)
field() { dpkg-deb --field "$deb" "$1"; }

# --- name and control fields -------------------------------------------------
expect_eq "$(basename "$deb")" "stavrel-cli_${version}-1_$arch.deb" "file name"
expect_eq "$(field Package)" stavrel-cli "Package"
expect_eq "$(field Version)" "$version-1" "Version"
expect_eq "$(field Architecture)" "$arch" "Architecture"
depends=$(field Depends)
for library in libc6 libstdc++6 zlib1g; do
  case ", $depends" in *", $library (>= "*) ;; *) fail "Depends lacks $library: $depends" ;; esac
done

# --- the files -----------------------------------------------------------------
expected="-rwxr-xr-x ./usr/bin/stavrel-cli
-rwxr-xr-x ./usr/libexec/stavrel/gzip
-rw-r--r-- ./usr/share/bash-completion/completions/stavrel-cli
-rw-r--r-- ./usr/share/doc/stavrel-cli/changelog.Debian.gz
-rw-r--r-- ./usr/share/doc/stavrel-cli/changelog.gz
-rw-r--r-- ./usr/share/doc/stavrel-cli/copyright
-rw-r--r-- ./usr/share/doc/stavrel-cli/guide.md.gz
-rw-r--r-- ./usr/share/man/man1/stavrel-cli.1.gz"
listing=$(dpkg-deb --contents "$deb")
expect_eq "$(echo "$listing" | awk '$1 !~ /^d/ { print $1, $6 }' | LC_ALL=C sort -k2)" "$expected" "files"
echo "$listing" | awk '$2 != "root/root" { print "FAIL: not root'\''s: " $0 }' | grep . && failures=$((failures + 1))
[ "$(echo "$listing" | awk '{ print $4, $5 }' | sort -u | wc -l)" -eq 1 ] ||
  fail "the files do not all carry one time: $(echo "$listing" | awk '{ print $4, $5 }' | sort -u | tr '\n' ' ')"

# --- lintian ---------------------------------------------------------------------
lintian_says=$(lintian "$deb" 2>&1)
echo "lintian: ${lintian_says:-(nothing)}"
echo "$lintian_says" | grep -q '^E: ' && fail "lintian reports errors"

# --- unpacked: documents and manual page --------------------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"
doc=$root/usr/share/doc/stavrel-cli
zcat "$doc/guide.md.gz" | cmp -s - "$source_dir/docs/guide.md" || fail "guide.md.gz is not the guide"
zcat "$doc/changelog.gz" | cmp -s - "$source_dir/CHANGELOG.md" || fail "changelog.gz is not CHANGELOG.md"
expect_eq "$(zcat "$doc/changelog.Debian.gz" | head -1)" "stavrel-cli ($version-1) unstable; urgency=medium" \
  "changelog.Debian.gz"
grep -qF "$(sed -n 3p "$source_dir/LICENSE" | sed 's/^Copyright (c) /Copyright: /')" "$doc/copyright" &&
  grep -qF " Permission is hereby granted, free of charge" "$doc/copyright" || fail "copyright lacks the licence"
cmp -s "$root/usr/share/bash-completion/completions/stavrel-cli" "$source_dir/packaging/stavrel-cli.bash-completion" ||
  fail "the completion is not packaging/stavrel-cli.bash-completion"
MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/stavrel-cli.1.gz" >"$work/man" 2>"$work/man-warnings"
[ -s "$work/man-warnings" ] && fail "man warns: $(cat "$work/man-warnings")"
for text in "STAVREL-CLI(1)" "stavrel-cli $version" convert decompress recompress "EXIT STATUS" \
  /usr/libexec/stavrel/gzip; do
  grep -qF -- "$text" "$work/man" || fail "the rendered manual page lacks \"$text\""
done

# --- unpacked: the programs -----------------------------------------------------------
cli=$root/usr/bin/stavrel-cli
expect_eq "$("$cli" --version)" "stavrel-cli $version" "stavrel-cli --version"
expect_eq "$("$root/usr/libexec/stavrel/gzip" --version | head -1)" "gzip (Stavrel) $version" "gzip --version"

mkdir "$work/states"
cd "$work/states" || exit 1
head -c 300000 /dev/urandom >data
gzip -c data >"my game.003"
"$cli" decompress "my game.003" >/dev/null 2>"$work/err" || fail "decompress: $(cat "$work/err")"
cmp -s "my game.sds" data || fail "the decompressed state is not the data"
"$cli" recompress "my game.sds" >/dev/null 2>"$work/err" || fail "recompress: $(cat "$work/err")"
gzip -dc "my game.000" | cmp -s - data || fail "the recompressed state does not hold the data"
expect_eq "$(ls | tr '\n' ' ')" "data my game.000 " "files after the state cycle"

mkdir "$work/modules" "$work/modules/out"
cd "$work/modules" || exit 1
for name in a b c; do cp "$source_dir/tests/cli/data/sample.mdl" "$name.mdl"; done
"$cli" convert --factor '&HFF' --output-dir out a.mdl b.mdl c.mdl >/dev/null 2>"$work/err" ||
  fail "convert: $(cat "$work/err")"
for name in a b c; do
  cmp -s "out/$name.mdl" "$source_dir/tests/cli/data/sample-plus-255.mdl" || fail "out/$name.mdl is not converted"
done

# Without its libexec folder it says where it looked.
mv "$root/usr/libexec" "$root/usr/libexec-away"
cd "$work/states" || exit 1
"$cli" decompress "my game.000" >/dev/null 2>"$work/err" && fail "decompressed without gzip"
grep -qF "Stavrel's gzip was not found at $root/usr/bin/gzip.exe or $root/usr/libexec/stavrel/gzip." "$work/err" ||
  fail "the message does not name both places: $(cat "$work/err")"

echo "deb_test: $failures failures"
[ "$failures" -eq 0 ]
