#!/usr/bin/env bash
# Builds Kalvenor.exe and starts it under Wine on the current display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ -z "${DISPLAY:-}" ]; then
  echo "No hay pantalla: DISPLAY no está definida. Kalvenor es un programa de ventanas;" >&2
  echo "ejecútelo en una sesión gráfica (o con un servidor X como Xvfb y DISPLAY=:N)." >&2
  exit 1
fi

bash scripts/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target Kalvenor -j "$(nproc)"
export WINEDEBUG=${WINEDEBUG:--all}
exec wine build/windows/Kalvenor.exe
