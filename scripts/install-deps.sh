#!/bin/sh
# Installs what building, testing and packaging Stavrel needs on Debian 12, if
# missing.
set -eu
packages="cmake make g++ gzip googletest libbenchmark-dev zlib1g-dev libcli11-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  ncompress wine64 wine xvfb openbox x11-utils imagemagick fonts-liberation2 fonts-wine time clang-format
  git zip unzip dpkg-dev lintian man-db"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q </dev/null
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing </dev/null
