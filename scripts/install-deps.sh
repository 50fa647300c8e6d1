#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when something is missing. Runs as root on Debian 12.
#   scripts/install-deps.sh [headless] [browser-test]
# adds the packages of Kalvenor in a web browser (scripts/run.sh without a
# display) and of its test with a real browser.
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
  osslsigncode openssl             # package.sh with a certificate: the signatures (packaging/firmar.sh)
)

for group in "$@"; do
  case $group in
    # Xvnc (an X display and a VNC server in one) and vncpasswd; noVNC's web
    # client and the web server in front of it.
    headless) packages+=(tigervnc-standalone-server tigervnc-tools novnc websockify) ;;
    # The browser and what drives it (puppeteer-core, from npm); ss.
    browser-test) packages+=(chromium nodejs npm iproute2) ;;
    *) echo "Grupo de paquetes desconocido: $group" >&2; exit 1 ;;
  esac
done

# Installed packages and what they provide (another nodejs provides npm):
# ", name, provided, ...," a line.
installed=$(dpkg-query -W -f='${db:Status-Abbrev}, ${Package}, ${Provides},\n' 2>/dev/null |
  sed -n 's/^ii *//p' | sed 's/ ([^)]*)//g')
missing=()
for p in "${packages[@]}"; do
  grep -qF ", $p," <<<"$installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Faltan paquetes: ${missing[*]}" >&2
    echo "Hace falta ser root para instalarlos (p. ej.: sudo bash scripts/install-deps.sh)." >&2
    exit 1
  fi
  echo "Instalando paquetes: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }; then
    echo "No se pudieron instalar los paquetes: ${missing[*]}" >&2
    exit 1
  fi
fi
