#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, then the
# Windows tests and the end-to-end tests under Wine on an Xvfb display, and
# the run command without a display in a real browser. As in CI, a compiler
# warning in the project's own code fails the build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh headless browser-test
jobs=$(nproc)

echo "== Compilación nativa y pruebas de la lógica"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DKALVENOR_BUILD_TESTS=ON \
  -DKALVENOR_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== Compilación para Windows y pruebas bajo Wine"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DKALVENOR_BUILD_TESTS=ON \
  -DKALVENOR_WARNINGS_AS_ERRORS=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j "$jobs"
# What drives the browser in kalvenor_navegador, at a fixed version, in the
# build folder.
puppeteer=22.15.0
grep -qs "\"version\": \"$puppeteer\"" build/windows/navegador/node_modules/puppeteer-core/package.json ||
  npm install --prefix build/windows/navegador --no-save --no-audit --no-fund --loglevel=error \
    "puppeteer-core@$puppeteer" >/dev/null
# One test at a time: the window tests share the display and its focus. The
# Wine prefixes go into build/windows (wineprefix, wineprefix-dpi120,
# wineprefix-dpi144), where the ctest entries of other dpis expect them.
bash scripts/with-wine.sh build/windows ctest --test-dir build/windows --output-on-failure
