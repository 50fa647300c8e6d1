#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: starts an Xvfb display and
# a Wine prefix of their own, and stops exactly those again.
#   wine_session_start <folder for the prefix>
#   wine_session_stop

WINE_SESSION_XVFB_PID=""

wine_session_start() {
  local folder=$1
  mkdir -p "$folder"
  export WINEPREFIX="$(cd "$folder" && pwd)/wineprefix"
  export WINEDEBUG=-all
  export WINEARCH=win64
  # No Mono or Gecko installers in a test prefix.
  export WINEDLLOVERRIDES="mscoree=;mshtml="

  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
  done
  Xvfb ":${n}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  export DISPLAY=":${n}"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$WINE_SESSION_XVFB_PID" 2>/dev/null; then
      echo "Xvfb no arrancó en ${DISPLAY}" >&2
      return 1
    fi
    sleep 0.1
  done

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
  fi
  # Without a window manager Wine waits 2 s for every hidden window unless
  # its windows are unmanaged.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
