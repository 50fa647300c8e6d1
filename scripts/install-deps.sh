#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when something is missing. Runs as root on Debian 12.
set -euo pipefail

packages=(
  cmake make g++                   # native build of the portable core and its tests
  g++-mingw-w64-x86-64-posix       # the cross compilers (posix threads, for GoogleTest)
  wine wine64                      # runs Kalvenor.exe and the Windows tests (64-bit)
  fonts-wine                       # Wine's fonts, copied into every prefix (wine-session.sh)
  xvfb                             # the tests' own display
  x11-utils                        # xdpyinfo: the screen's size for the program's Wine desktop (run.sh)
  openbox                          # the window manager of the desktop tests
  imagemagick                      # screenshots.sh (import) and draw-resources.sh (convert)
  googletest                       # GoogleTest sources, built into both trees
  libbenchmark-dev                 # bench/ (native build)
  nsis                             # package.sh: the installer (CPack runs makensis)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Faltan paquetes: ${missing[*]}" >&2
    echo "Hace falta ser root para instalarlos (p. ej.: sudo bash scripts/install-deps.sh)." >&2
    exit 1
  fi
  echo "Instalando paquetes: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
