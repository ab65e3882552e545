#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix.
# WINEPREFIX defaults to build/wineprefix beside this script's checkout.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
: "${WINEDEBUG:=-all}"
export WINEPREFIX WINEDEBUG
exec /usr/lib/wine/wine64 "$@"
