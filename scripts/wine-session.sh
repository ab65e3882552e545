#!/bin/sh
# Starts or stops the screen and the Wine session the Windows tests share:
# a prefix in build/wineprefix, initialised once; an Xvfb screen with a
# window manager; one persistent wineserver.
#   wine-session.sh start [dpi]   prints the DISPLAY it started
#   wine-session.sh stop
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
state="$root/build/wine-session"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

init_prefix() {
  [ -f "$WINEPREFIX/.stavrel-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  # "wineserver -w" below waits for the server to end: a persistent one
  # left in this prefix would never do so.
  "$wineserver" -k >/dev/null 2>&1 || true
  DISPLAY= "$wine" wineboot -i >/dev/null 2>&1 </dev/null
  "$wineserver" -w
  # Arial is not installed: Liberation Sans has its metrics.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
  # Wine's own dialog and title fonts.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  "$wineserver" -w
  touch "$WINEPREFIX/.stavrel-ready"
}

set_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

start() {
  mkdir -p "$state"
  init_prefix
  display=""
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  # Every Wine process from here on, reg.exe below included, must find this
  # screen: the first one starts the session's desktop, and a desktop started
  # without a screen leaves every later window without one.
  export DISPLAY=$display
  openbox >/dev/null 2>&1 &
  echo $! > "$state/openbox.pid"
  echo "$display" > "$state/display"
  # A wineserver holding the terminal would hang whatever waits on it.
  ("$wineserver" -p >/dev/null 2>&1 &)
  set_dpi "${1:-96}"
  echo "$display"
}

stop() {
  "$wineserver" -k >/dev/null 2>&1 || true
  for f in openbox xvfb; do
    [ -f "$state/$f.pid" ] && kill "$(cat "$state/$f.pid")" 2>/dev/null || true
    rm -f "$state/$f.pid"
  done
  rm -f "$state/display"
}

case "${1:-}" in
  start) shift; start "$@" ;;
  prefix) init_prefix ;;
  stop) stop ;;
  dpi) set_dpi "$2" ;;
  *) echo "usage: $0 start [dpi] | stop | prefix | dpi N" >&2; exit 2 ;;
esac
