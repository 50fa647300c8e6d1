#!/usr/bin/env bash
# Signs Windows files with the release's code-signing certificate
# (Authenticode, osslsigncode):
#   packaging/firmar.sh --comprobar   checks the certificate and its password
#   packaging/firmar.sh FILE...       signs each file in place
# The certificate is the PKCS#12 file named in KALVENOR_CERTIFICADO, its
# password in KALVENOR_CERTIFICADO_CLAVE. KALVENOR_SELLO_TIEMPO, if given, is
# the address of an RFC 3161 time-stamp server: with it the signature stays
# valid after the certificate expires; without it, only until then.
# scripts/package.sh runs the check before building, signs Kalvenor.exe, and
# has makensis run this on the uninstaller and the setup.
set -euo pipefail

fallar() {
  echo "No se puede firmar: $*" >&2
  exit 1
}

[ -n "${KALVENOR_CERTIFICADO:-}" ] || fallar "falta KALVENOR_CERTIFICADO, el archivo del certificado."
certificado=$KALVENOR_CERTIFICADO
export KALVENOR_CERTIFICADO_CLAVE=${KALVENOR_CERTIFICADO_CLAVE-}
privada=$(mktemp -d)
trap 'rm -rf "$privada"' EXIT

comprobar() {
  if [ ! -f "$certificado" ] || [ ! -r "$certificado" ]; then
    fallar "no se puede leer el certificado $certificado (KALVENOR_CERTIFICADO)."
  fi
  # -legacy also reads the older encryption of certificates exported by Windows.
  if ! openssl pkcs12 -legacy -in "$certificado" -passin env:KALVENOR_CERTIFICADO_CLAVE -info -noout \
    2>"$privada/contenido"; then
    if grep -qi 'invalid password' "$privada/contenido"; then
      fallar "la contraseña de KALVENOR_CERTIFICADO_CLAVE no es la del certificado $certificado."
    fi
    fallar "$certificado no es un certificado PKCS#12 (.pfx o .p12) que se pueda leer."
  fi
  grep -qi 'key *bag' "$privada/contenido" ||
    fallar "$certificado no lleva la clave privada; exporte el certificado con ella."
  openssl pkcs12 -legacy -in "$certificado" -passin env:KALVENOR_CERTIFICADO_CLAVE -nokeys -clcerts \
    2>/dev/null >"$privada/certificado.pem"
  openssl x509 -in "$privada/certificado.pem" -noout 2>/dev/null ||
    fallar "$certificado no lleva el certificado de la clave."
  if ! openssl x509 -in "$privada/certificado.pem" -noout -checkend 0 >/dev/null; then
    fallar "el certificado $certificado caducó ($(openssl x509 -in "$privada/certificado.pem" -noout -enddate))."
  fi
}

comprobar
[ "${1-}" = --comprobar ] && exit 0

# The password goes to osslsigncode in a file only this user can read, not on
# its command line.
(umask 077 && printf '%s' "$KALVENOR_CERTIFICADO_CLAVE" >"$privada/clave")
sello=()
[ -n "${KALVENOR_SELLO_TIEMPO:-}" ] && sello=(-ts "$KALVENOR_SELLO_TIEMPO")
for archivo in "$@"; do
  # Signed into a copy, moved in place once signed: a failed signature leaves
  # no file that looks finished.
  if ! osslsigncode sign -pkcs12 "$certificado" -readpass "$privada/clave" -h sha256 -n Kalvenor "${sello[@]}" \
    -in "$archivo" -out "$archivo.firmado" >"$privada/salida" 2>&1; then
    cat "$privada/salida" >&2
    rm -f "$archivo" "$archivo.firmado"
    [ ${#sello[@]} -gt 0 ] && fallar "osslsigncode no pudo firmar $archivo (¿responde el servidor de sellos de tiempo $KALVENOR_SELLO_TIEMPO?)."
    fallar "osslsigncode no pudo firmar $archivo."
  fi
  mv -f "$archivo.firmado" "$archivo"
done
