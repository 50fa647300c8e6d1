#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when something is missing. Runs as root on Debian 12.
set -euo pipefail

packages=(
  cmake make g++ g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick
  googletest libgtest-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando paquetes: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Hace falta ser root para instalar: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
