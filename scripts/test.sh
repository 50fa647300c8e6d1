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
  rm -rf "${logs:-}"
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

# puppeteer-core for kalvenor_navegador, from tools/navegador/package-lock.json
# (copied into the build folder by CMake), again only when the lock changes.
browser_driver() {
  local folder=build/windows/navegador
  cmp -s "$folder/package-lock.json" "$folder/node_modules/.kalvenor-package-lock.json" && return 0
  npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error >/dev/null
  cp "$folder/package-lock.json" "$folder/node_modules/.kalvenor-package-lock.json"
}

# Both trees at once: the compilers keep both cores busy through each
# build's serial stretches (configuring, GoogleTest's one long file, links).
# Meanwhile the Wine prefix templates (ctest's setup fixture, which then
# finds them made) and puppeteer-core, which mostly wait.
logs=$(mktemp -d)
declare -A started
background() {
  local name=$1
  shift
  "$@" >"$logs/$name.log" 2>&1 &
  started[$name]=$!
}
finish() {
  wait "${started[$1]}" && return 0
  echo "Falló: $1" >&2
  cat "$logs/$1.log" >&2
  return 1
}
build_all() {
  configure native
  configure windows
  background nativa cmake --build --preset native
  background plantillas ctest --preset windows -R '^kalvenor_wine_plantillas$'
  background npm browser_driver
  local status=0
  cmake --build --preset windows || status=1
  finish nativa || status=1
  finish plantillas || status=1
  finish npm || status=1
  return "$status"
}

stage "Paquetes del sistema" bash scripts/install-deps.sh nativa windows pruebas wine xvfb escritorio paquetes \
  navegador prueba-navegador
# Nothing the tests start checks them again (scripts/package.sh).
export KALVENOR_PAQUETES_COMPROBADOS=1
stage "Compilación (nativa y Windows)" build_all
stage "Pruebas nativas" ctest --preset native
stage "Pruebas bajo Wine" ctest --preset windows
