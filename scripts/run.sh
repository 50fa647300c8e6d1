#!/usr/bin/env bash
# Builds Kalvenor.exe and starts it under Wine on the current display, in a
# Wine prefix of the program's own (never the user's default one):
# ${XDG_DATA_HOME:-$HOME/.local/share}/kalvenor/wineprefix, made on the first
# run, with Wine's own fonts in it. The program runs in a Wine desktop with a
# taskbar, full screen, as on Windows; the command ends when the program does.
# Without a display (DISPLAY unset), the same desktop is served to a web
# browser (scripts/browser-session.sh).
# With KALVENOR_EXE naming an exe, that exe runs, and nothing is installed or
# built (the tests run the build under test so). With KALVENOR_ARCHIVO_SESION
# naming a file, a session in the browser writes there, for programs, the
# address to open and the display (browser_session_run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=""
if [ -n "${KALVENOR_EXE:-}" ]; then
  if [ ! -f "$KALVENOR_EXE" ]; then
    echo "KALVENOR_EXE no nombra ningún archivo: $KALVENOR_EXE" >&2
    exit 1
  fi
  exe=$(cd "$(dirname "$KALVENOR_EXE")" && pwd)/$(basename "$KALVENOR_EXE")
fi
cd "$root"

headless=""
[ -n "${DISPLAY:-}" ] || headless=headless
if [ -n "$headless" ]; then
  echo "No hay pantalla (DISPLAY no está definida): Kalvenor se abrirá en el navegador."
fi
if [ -z "$exe" ]; then
  bash scripts/install-deps.sh windows wine ${headless:+navegador}
  cmake --preset windows-release >/dev/null
  cmake --build --preset windows-release
  exe=build/windows-release/Kalvenor.exe
fi

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
if [ -n "$headless" ]; then
  # shellcheck source=browser-session.sh
  source "$root/scripts/browser-session.sh"
  # Everything the session starts stops with the command, on Ctrl+C too.
  trap browser_session_stop EXIT
  trap 'exit 130' INT TERM
  browser_session_start
fi
wine_prefix_use "${XDG_DATA_HOME:-$HOME/.local/share}/kalvenor/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparando el prefijo de Wine de Kalvenor en $WINEPREFIX (solo la primera vez)..."
fi
wine_prefix_prepare "$WINEPREFIX"
wine_desktop_prepare "$WINEPREFIX"
if [ -n "$headless" ]; then
  browser_session_run "$exe"
else
  wine_desktop_run "$exe"
fi
