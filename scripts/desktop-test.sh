#!/usr/bin/env bash
# End-to-end checks of Kalvenor as scripts/run.sh launches it: in a Wine
# desktop with its taskbar (wine_desktop_run), on an X display of this
# script's own, first bare (also on the larger screens and scales of
# screen_checks) and then under a window manager (openbox). The
# end-to-end driver is what the desktop runs; it starts Kalvenor.exe inside
# the same desktop, as each check's tests do.
#   scripts/desktop-test.sh <template prefix> <work folder> <kalvenor_e2e.exe> [<part> <parts>]
# With a part k of n, only every n-th check from the k-th on runs, so that
# ctest can run the parts at once, each on its own display.
# The prefixes are copies, in the work folder, of the template (as
# scripts/run.sh makes the program's prefix) and of its -dpi<dpi> siblings
# (scripts/wine-templates.sh makes them).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
template=$1
mkdir -p "$2"
folder=$(cd "$2" && pwd)
driver=$3
part=${4:-1}
parts=${5:-1}

# Each check: a name and the driver's tests (a GoogleTest filter).
bare_checks=(
  "sin gestor de ventanas: abre sobre la barra|Escritorio.*"
)
# The screens and scales Windows laptops and monitors ship with, each in a
# Wine desktop of that size (larger than this X screen where need be) and a
# prefix at that dpi: a check and its size and dpi.
screen_checks=(
  "1366 x 768 al 100 %: las tres ventanas enteras|1366x768|96"
  "3840 x 2160 al 100 %: las tres ventanas enteras|3840x2160|96"
  "1920 x 1080 al 125 %: las tres ventanas enteras|1920x1080|120"
  "1920 x 1080 al 150 %: las tres ventanas enteras|1920x1080|144"
  "3840 x 2160 al 200 %: las tres ventanas enteras|3840x2160|192"
)
wm_checks=()
for i in $(seq 1 20); do
  wm_checks+=("openbox, arranque $i: abre entera sobre la barra|Escritorio.*")
done
wm_checks+=(
  "openbox: teclas reales en la principal|VentanaPrincipal.LasTeclasEscritasPasanPorElFiltroDeCadaCaja"
  "openbox: teclas reales en las opciones|Opciones.LasTeclasDeNavegacionNoCierranLaVentanaNiGuardan"
  "openbox: Opciones, Aceptar y la principal con los valores nuevos|Opciones.CambiarLaOpacidadYAceptarTraeLaPrincipalConLaNuevaOpacidad"
  "openbox: arrastre del título|*ArrastreDelTitulo.*"
  "openbox: segundo arranque|*SegundoArranque.*"
)

results=$(mktemp -d)
openbox_pid=""
stop() {
  if [ -n "$openbox_pid" ]; then
    kill "$openbox_pid" 2>/dev/null || true
    wait "$openbox_pid" 2>/dev/null || true
  fi
  wine_session_stop
  rm -rf "$results"
}
trap stop EXIT

wine_session_xvfb 1366x768x24
wine_prefix_use "$folder/wineprefix"
wine_prefix_copy "$template" "$WINEPREFIX"
for check in "${screen_checks[@]}"; do
  dpi=${check##*|}
  [ "$dpi" = 96 ] || wine_prefix_copy "$template-dpi$dpi" "$WINEPREFIX-dpi$dpi"
done

passed=0
failed=0
run_check() {
  local name=${1%%|*} filter=${1#*|} n=$((passed + failed))
  local report="$results/$n.xml" log="$results/$n.log"
  # The desktop's exit status is explorer's, and the desktop can close before
  # the driver has ended: the driver's report, once it has ended, tells.
  wine_desktop_run "$driver" "--gtest_filter=$filter" "--gtest_output=xml:$(winepath -w "$report")" >"$log" 2>&1 || true
  wine_program_wait "$driver" || echo "      (el conductor no terminó en dos minutos)"
  if wine_driver_passed "$report"; then
    passed=$((passed + 1))
    echo "bien: $name"
  else
    failed=$((failed + 1))
    echo "MAL:  $name"
    [ -f "$report" ] || echo "      (el conductor no dejó su informe)"
    sed 's/^/      /' "$log"
  fi
}

# This part's checks: every parts-th of them all, from the part-th on.
index=0
mine() {
  index=$((index + 1))
  [ $(((index - 1) % parts + 1)) = "$part" ]
}

for check in "${bare_checks[@]}"; do mine && run_check "$check"; done
for check in "${screen_checks[@]}"; do
  mine || continue
  IFS='|' read -r name size dpi <<<"$check"
  prefix=$WINEPREFIX
  [ "$dpi" = 96 ] || prefix="$WINEPREFIX-dpi$dpi"
  WINEPREFIX=$prefix WINE_DESKTOP_SIZE=$size run_check "$name|PantallaDeEscritorio.*"
done
openbox >/dev/null 2>&1 &
openbox_pid=$!
# openbox is running once it has claimed the screen's window manager selection.
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
for check in "${wm_checks[@]}"; do mine && run_check "$check"; done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
