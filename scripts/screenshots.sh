#!/usr/bin/env bash
# Takes the README's pictures of Kalvenor's windows: docs/main-window.png,
# docs/options-window.png and docs/about-window.png.
#
# Builds Kalvenor.exe and the end-to-end driver in build/windows (the windows
# preset; or the folder given as first argument), starts an Xvfb display and
# a Wine prefix of their own, and runs the driver's disabled DISABLED_Capturas test, which opens
# each window in turn and hands its rectangle over through a folder (see
# tests/e2e/Capturas.cpp); this script takes each picture with ImageMagick
# `import -window root`, cropped to the window. The driver runs as
# scripts/run.sh runs the program, in a Wine desktop with its taskbar: the
# main window's picture is the bottom of the screen, the window in its corner
# above the taskbar.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build/windows}

bash scripts/install-deps.sh windows pruebas wine xvfb capturas
[ -f "$build/CMakeCache.txt" ] || cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target Kalvenor kalvenor_e2e
driver="$build/tests/e2e/kalvenor_e2e.exe"

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
handover=$(mktemp -d)
driver_pid=""
finish() {
  if [ -n "$driver_pid" ] && kill -0 "$driver_pid" 2>/dev/null; then
    kill "$driver_pid" 2>/dev/null || true
    wait "$driver_pid" 2>/dev/null || true
  fi
  wine_session_stop
  rm -rf "$handover"
}
trap finish EXIT
# A display and a prefix of its own (with Wine's own fonts, as every prefix
# the session makes); the pictures are taken at 96 dpi only.
wine_session_start "$build/screenshots"
wine_desktop_prepare "$WINEPREFIX"
screen_width=${WINE_SESSION_SCREEN%%x*}
screen_height=${WINE_SESSION_SCREEN#*x}
screen_height=${screen_height%%x*}

mkdir -p docs
KALVENOR_CAPTURAS="$handover" wine_desktop_run "$driver" --gtest_also_run_disabled_tests \
  --gtest_filter='DISABLED_Capturas.*' "--gtest_output=xml:$(winepath -w "$handover/report.xml")" \
  >"$handover/driver.log" 2>&1 &
driver_pid=$!

# Waits for the driver's NAME.listo, takes the picture, answers NAME.hecho.
take() {
  local name=$1 tries=0
  until [ -f "$handover/$name.listo" ]; do
    if ! kill -0 "$driver_pid" 2>/dev/null || [ $tries -gt 1200 ]; then
      echo "El conductor no abrió la ventana de $name:" >&2
      cat "$handover/driver.log" >&2
      return 1
    fi
    tries=$((tries + 1))
    sleep 0.05
  done
  local x y w h
  read -r x y w h <"$handover/$name.listo"
  if [ "$name" = main-window ]; then
    # The whole width of the screen's bottom, from a little above the window.
    y=$((y > 40 ? y - 40 : 0))
    x=0
    w=$screen_width
    h=$((screen_height - y))
  fi
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "docs/$name.png"
  touch "$handover/$name.hecho"
  echo "docs/$name.png (${w}x${h} en ${x},${y})"
}

take main-window
take options-window
take about-window

wait "$driver_pid" || true
driver_pid=""
wine_driver_passed "$handover/report.xml" || {
  echo "El conductor no tomó las capturas:" >&2
  cat "$handover/driver.log" >&2
  exit 1
}
