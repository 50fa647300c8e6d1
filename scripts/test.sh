#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, then the
# Windows tests and the end-to-end tests under Wine, each ctest entry on a
# display and in a Wine prefix of its own and several at once, and the run
# command without a display in a real browser. As in CI, a compiler warning
# in the project's own code fails the build (the native and windows presets).
# At the end it prints how long each stage took.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

stages=()
current=""
summary() {
  local status=$? line
  echo
  echo "== Tiempos"
  for line in "${stages[@]}"; do printf '  %-34s %4d s\n' "${line%|*}" "${line##*|}"; done
  [ -z "$current" ] || printf '  %-34s falló\n' "$current"
  printf '  %-34s %4d s\n' "Total" "$SECONDS"
  exit "$status"
}
trap summary EXIT
stage() {
  local start=$SECONDS
  current=$1
  echo "== $1"
  shift
  "$@"
  stages+=("$current|$((SECONDS - start))")
  current=""
}

# A build folder made by an earlier version of this script with another
# generator is configured anew (its objects are rebuilt).
configure() {
  local cache="build/$1/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
    rm -rf "$cache" "build/$1/CMakeFiles"
  fi
  cmake --preset "$1" >/dev/null
}
build() { configure "$1" && cmake --build --preset "$1"; }

# puppeteer-core for kalvenor_navegador, from tests/e2e/package-lock.json
# (copied into the build folder by CMake), again only when the lock changes.
browser_driver() {
  local folder=build/windows/navegador
  cmp -s "$folder/package-lock.json" "$folder/node_modules/.kalvenor-package-lock.json" && return 0
  npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error >/dev/null
  cp "$folder/package-lock.json" "$folder/node_modules/.kalvenor-package-lock.json"
}

stage "Paquetes del sistema" bash scripts/install-deps.sh nativa windows pruebas wine xvfb escritorio paquetes \
  navegador prueba-navegador
# Nothing the tests start checks them again (scripts/package.sh).
export KALVENOR_PAQUETES_COMPROBADOS=1
stage "Compilación nativa" build native
stage "Pruebas nativas" ctest --preset native
stage "Compilación para Windows" build windows
stage "puppeteer-core (npm ci)" browser_driver
stage "Pruebas bajo Wine" ctest --preset windows
