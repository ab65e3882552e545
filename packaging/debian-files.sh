#!/bin/sh
# Adds to a staged package root what Debian asks for beside the programs:
# the manual page, and in /usr/share/doc/stavrel-cli the guide, the
# copyright, the upstream changelog and the Debian changelog made from it,
# compressed as Debian does (gzip -9n: no name, no time).
#   debian-files.sh <root> <version> <debian version> <release date>
set -eu
root=$1 version=$2 deb_version=$3 date=$4
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/packaging/release-common.sh"
doc=$root/usr/share/doc/stavrel-cli
man=$root/usr/share/man/man1
mkdir -p "$doc" "$man"

sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$date/g" "$source_dir/packaging/stavrel-cli.1.in" |
  gzip -9n >"$man/stavrel-cli.1.gz"
gzip -9n <"$source_dir/docs/guide.md" >"$doc/guide.md.gz"
gzip -9n <"$source_dir/CHANGELOG.md" >"$doc/changelog.gz"
awk -v package=stavrel-cli -v revision="${deb_version#"$version"}" -v maintainer="$maintainer" \
  -f "$source_dir/packaging/debian-changelog.awk" "$source_dir/CHANGELOG.md" | gzip -9n >"$doc/changelog.Debian.gz"

# The licence in Debian's machine-readable form: LICENSE's copyright line,
# then its text, each line indented and blank lines written " .".
{
  echo "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
  echo "Upstream-Name: Stavrel"
  echo
  echo "Files: *"
  sed -n 's/^Copyright (c) /Copyright: /p' "$source_dir/LICENSE"
  echo "License: Expat"
  sed -e '1,/^Copyright/d' "$source_dir/LICENSE" | sed -e '/./,$!d' -e 's/^$/./' -e 's/^/ /'
} >"$doc/copyright"
