#!/usr/bin/env bash
# Installs the Debian packages a command needs, only when something is
# missing (as root on Debian 12):
#   scripts/install-deps.sh <group>...
#   nativa       the native build of the portable core and its tests
#   windows      the cross build of Kalvenor.exe
#   pruebas      GoogleTest, built into both trees with the tests
#   wine         runs Kalvenor.exe and the Windows tests (64-bit)
#   xvfb         a display of the command's own (tests, screenshots, bench)
#   escritorio   the window manager of the desktop test
#   paquetes     the installer and its signatures (scripts/package.sh)
#   navegador    Kalvenor in a web browser (scripts/run.sh without a display)
#   prueba-navegador  the test of that with a real browser
#   capturas     ImageMagick (scripts/screenshots.sh, draw-resources.sh)
#   bench        Google Benchmark (bench/compare-tr.sh)
# The scripts a person runs call it with their own groups; nothing under
# ctest does.
set -euo pipefail

packages=()
for group in "$@"; do
  case $group in
    nativa) packages+=(cmake ninja-build g++) ;;
    windows) packages+=(cmake ninja-build g++-mingw-w64-x86-64-posix) ;;
    pruebas) packages+=(googletest) ;;
    # fonts-wine: copied into every prefix (wine-session.sh); x11-utils:
    # xdpyinfo, the screen's size for the program's Wine desktop.
    wine) packages+=(wine wine64 fonts-wine x11-utils) ;;
    xvfb) packages+=(xvfb) ;;
    escritorio) packages+=(openbox) ;;
    # CPack runs makensis; packaging/firmar.sh signs with a certificate.
    paquetes) packages+=(nsis osslsigncode openssl) ;;
    # Xvnc (an X display and a VNC server in one) and vncpasswd; noVNC's web
    # client and the web server in front of it.
    navegador) packages+=(tigervnc-standalone-server tigervnc-tools novnc websockify) ;;
    # The browser and what drives it (puppeteer-core, from npm); ss.
    prueba-navegador) packages+=(chromium nodejs npm iproute2) ;;
    capturas) packages+=(imagemagick) ;;
    bench) packages+=(libbenchmark-dev) ;;
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
    echo "Hace falta ser root para instalarlos (p. ej.: sudo bash scripts/install-deps.sh $*)." >&2
    exit 1
  fi
  echo "Instalando paquetes: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }; then
    echo "No se pudieron instalar los paquetes: ${missing[*]}" >&2
    exit 1
  fi
fi
