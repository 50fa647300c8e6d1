#!/usr/bin/env bash
# Start-up time of Kalvenor.exe against a bare window built by the same
# toolchain, without and with Kalvenor's manifest, under Wine on a display of
# its own (scripts/wine-session.sh): interleaved starts, each after the last
# one has ended and a pause, timed to two moments (the window exists; it is
# shown and taller than 0, Kalvenor's first sweep step), the medians and, on
# the last line, the ratios at the moment the user sees:
#   primer_paso: kalvenor_s=<median> ventana_desnuda_s=<median>
#     razon_ventana_desnuda=<ratio> ventana_desnuda_manifiesto_s=<median>
#     razon_ventana_desnuda_manifiesto=<ratio>
#
#   bench/arranque.sh [starts of each, 15 by default]
# Builds in build/windows-release (the windows-release preset, which has the
# benchmarks); the Wine prefix lives in build/windows-release/bench-arranque,
# made on the first run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows-release
arranques=${1:-15}

bash "$root/scripts/install-deps.sh" windows wine xvfb
(cd "$root" && cmake --preset windows-release >/dev/null)
cmake --build "$build" \
  --target Kalvenor kalvenor_bench_ventana_desnuda kalvenor_bench_ventana_desnuda_manifiesto \
  kalvenor_bench_arranque >/dev/null

# shellcheck source=../scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/bench-arranque"

windows() { echo "Z:${1//\//\\}"; }
wine "$build/bench/MedirArranque.exe" "$arranques" "$(windows "$build/Kalvenor.exe")" \
  "$(windows "$build/bench/VentanaDesnuda.exe")" "$(windows "$build/bench/VentanaDesnudaManifiesto.exe")" |
  tr -d '\r'
