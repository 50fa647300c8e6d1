#!/usr/bin/env bash
# Builds Kalvenor.exe and starts it under Wine on the current display, in a
# Wine prefix of the program's own (never the user's default one):
# ${XDG_DATA_HOME:-$HOME/.local/share}/kalvenor/wineprefix, made on the first
# run, with Wine's own fonts in it. The program runs in a Wine desktop with a
# taskbar, full screen, as on Windows; the command ends when the program does.
# Without a display (DISPLAY unset), the same desktop is served to a web
# browser (scripts/browser-session.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

headless=""
[ -n "${DISPLAY:-}" ] || headless=headless
if [ -n "$headless" ]; then
  echo "No hay pantalla (DISPLAY no está definida): Kalvenor se abrirá en el navegador."
fi
bash scripts/install-deps.sh $headless
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target Kalvenor -j "$(nproc)"

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
if [ -n "$headless" ]; then
  # shellcheck source=browser-session.sh
  source "$root/scripts/browser-session.sh"
  browser_session_start
fi
wine_prefix_use "${XDG_DATA_HOME:-$HOME/.local/share}/kalvenor/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparando el prefijo de Wine de Kalvenor en $WINEPREFIX (solo la primera vez)..."
fi
wine_prefix_prepare "$WINEPREFIX"
wine_desktop_prepare "$WINEPREFIX"
if [ -n "$headless" ]; then
  browser_session_run build/windows/Kalvenor.exe
else
  wine_desktop_run build/windows/Kalvenor.exe
fi
