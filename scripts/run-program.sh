#!/bin/sh
# Starts the built Windows program: directly on Windows, under Wine elsewhere.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/windows/bin/stavrel.exe"
[ -f "$exe" ] || { echo "The window is not built yet: $exe is missing." >&2; exit 1; }
case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*) exec "$exe" ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  echo "No display is available (DISPLAY is not set): Stavrel needs a screen." >&2
  echo "Run it from a desktop session, or start one, e.g.: Xvfb :5 & DISPLAY=:5 make run" >&2
  exit 1
fi
"$root/scripts/wine-session.sh" prefix
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
exec /usr/lib/wine/wine64 "$exe"
