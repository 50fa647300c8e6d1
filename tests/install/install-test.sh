#!/usr/bin/env bash
# The downloads, from the package command to a user's desktop:
#   install-test.sh <kalvenor_instalacion.exe> <work folder>
# Makes the packages twice, in two build folders, and compares Kalvenor.exe,
# the zip and the installer byte for byte; then makes signed ones, and checks
# the exe's imports and hardening. In the fresh Wine prefix and on the display
# that scripts/with-wine.sh gives the ctest entry (WINEPREFIX, DISPLAY),
# kalvenor_instalacion runs the signed installer and the uninstaller and
# starts the installed and the unpacked program.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
comprobador=$(realpath "$1")
trabajo=$(realpath -m "$2")
rm -rf "$trabajo"
mkdir -p "$trabajo"
cd "$trabajo"
# The packages are the business of whoever started the test run.
export KALVENOR_PAQUETES_COMPROBADOS=1

# Two folders of different names and depths, made at the same time.
a=a
b=otra/carpeta-b
paquetes=()
for carpeta in "$a" "$b"; do
  mkdir -p "$carpeta"
  bash "$root/scripts/package.sh" "$carpeta" "$carpeta/dist" >"$carpeta/package.log" 2>&1 &
  paquetes+=($!)
done
for i in 0 1; do
  wait "${paquetes[$i]}" && continue
  carpeta=$a
  [ "$i" = 0 ] || carpeta=$b
  echo "package.sh falló en $carpeta:" >&2
  cat "$carpeta/package.log" >&2
  exit 1
done
fallos=0
cd "$a"
for archivo in Kalvenor.exe dist/Kalvenor-*-win64.zip dist/Kalvenor-*-win64-setup.exe; do
  if ! cmp "$archivo" "$trabajo/$b/$archivo"; then
    echo "Dos compilaciones dan un $archivo distinto" >&2
    fallos=1
  fi
done
cd "$trabajo"
if grep -qaF "$root" "$a/Kalvenor.exe"; then
  echo "Kalvenor.exe lleva la ruta de la compilación ($root)" >&2
  fallos=1
fi

# Signed with a throwaway certificate, from the same build: a wrong password
# stops before anything is made; the right one signs Kalvenor.exe and the
# setup here, and the uninstaller, checked once installed.
openssl req -x509 -newkey rsa:2048 -nodes -keyout clave.pem -out certificado.pem -days 2 \
  -subj "/CN=Firma de prueba" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey clave.pem -in certificado.pem -out certificado.p12 -passout pass:buena
export KALVENOR_CERTIFICADO=$trabajo/certificado.p12
if KALVENOR_CERTIFICADO_CLAVE=mala bash "$root/scripts/package.sh" "$a" mala >/dev/null 2>error ||
  ! grep -q "No se puede firmar: la contraseña" error || compgen -G "mala/Kalvenor-*" >/dev/null; then
  echo "Con una contraseña equivocada, package.sh no se paró con su mensaje o dejó paquetes:" >&2
  cat error >&2
  ls mala >&2
  exit 1
fi
KALVENOR_CERTIFICADO_CLAVE=buena bash "$root/scripts/package.sh" "$a" firmado >/dev/null
firma_valida() {
  osslsigncode verify -CAfile "$trabajo/certificado.pem" -in "$1" >verificacion 2>&1 ||
    { cat verificacion >&2; echo "$1 no lleva una firma válida" >&2; exit 1; }
}

# The entry's own prefix; its menu entries for the installer's shortcut stay
# inside it.
if [ ! -f "${WINEPREFIX:-}/system.reg" ]; then
  echo "Hace falta el prefijo de Wine de la entrada (scripts/with-wine.sh --plantilla)." >&2
  exit 1
fi
wine_prefix_use "$WINEPREFIX"

mkdir portable
(cd portable && cmake -E tar xf "$trabajo"/firmado/Kalvenor-*-win64.zip)

# The exe imports only libraries of the Windows system folder, carries the
# stack protector's run-time, and keeps ASLR (high entropy) and DEP.
cabecera=$(x86_64-w64-mingw32-objdump -p "$a/Kalvenor.exe")
sistema=$(ls "$WINEPREFIX/drive_c/windows/system32")
for dll in $(sed -n 's/^\tDLL Name: //p' <<<"$cabecera"); do
  grep -qixF "$dll" <<<"$sistema" || { echo "Kalvenor.exe importa $dll, que no es del sistema" >&2; fallos=1; }
done
for marca in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  grep -qw "$marca" <<<"$cabecera" || { echo "Kalvenor.exe perdió $marca" >&2; fallos=1; }
done
grep -qaF "stack smashing detected" "$a/Kalvenor.exe" ||
  { echo "Kalvenor.exe no lleva la protección de la pila" >&2; fallos=1; }
setup=("$trabajo"/firmado/Kalvenor-*-win64-setup.exe)
firma_valida portable/Kalvenor.exe
firma_valida "${setup[0]}"
KALVENOR_INSTALADOR="${setup[0]}" KALVENOR_PORTATIL="$trabajo/portable/Kalvenor.exe" wine "$comprobador"
# The test ends with the program installed.
desinstalador=("$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Kalvenor/Desinstalar.exe)
firma_valida "${desinstalador[0]}"
exit "$fallos"
