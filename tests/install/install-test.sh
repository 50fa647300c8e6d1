#!/usr/bin/env bash
# The downloads, from the package command to a user's desktop:
#   install-test.sh <kalvenor_instalacion.exe> <work folder>
# Makes the packages twice, in two build folders, and compares Kalvenor.exe,
# the zip and the installer byte for byte. Then, in a fresh Wine prefix of
# its own, kalvenor_instalacion runs the installer and the uninstaller and
# starts the installed and the unpacked program. Needs an X display (ctest
# runs inside scripts/with-wine.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
comprobador=$(realpath "$1")
trabajo=$(realpath -m "$2")
rm -rf "$trabajo"
mkdir -p "$trabajo"
cd "$trabajo"

# Two folders of different names and depths.
a=a
b=otra/carpeta-b
for carpeta in "$a" "$b"; do
  bash "$root/scripts/package.sh" "$carpeta" "$carpeta/dist" >/dev/null
done
distintos=0
cd "$a"
for archivo in Kalvenor.exe dist/Kalvenor-*-win64.zip dist/Kalvenor-*-win64-setup.exe; do
  if ! cmp "$archivo" "$trabajo/$b/$archivo"; then
    echo "Dos compilaciones dan un $archivo distinto" >&2
    distintos=1
  fi
done
cd "$trabajo"
if grep -qaF "$root" "$a/Kalvenor.exe"; then
  echo "Kalvenor.exe lleva la ruta de la compilación ($root)" >&2
  distintos=1
fi

# A prefix of its own; its menu entries for the installer's shortcut stay
# inside it.
wine_prefix_use "$trabajo/wineprefix"
trap wine_session_stop EXIT
wine_prefix_prepare "$WINEPREFIX"
wine_prefix_unmanaged "$WINEPREFIX"

mkdir portable
(cd portable && cmake -E tar xf "$trabajo/$a"/dist/Kalvenor-*-win64.zip)
setup=("$trabajo/$a"/dist/Kalvenor-*-win64-setup.exe)
KALVENOR_INSTALADOR="${setup[0]}" KALVENOR_PORTATIL="$trabajo/portable/Kalvenor.exe" wine "$comprobador"
exit "$distintos"
