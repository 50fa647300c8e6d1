#!/usr/bin/env bash
# Makes the Windows downloads from one Release build of Kalvenor.exe:
#   scripts/package.sh [build folder] [output folder]
# (by default build/package and dist/). The output folder gets
# Kalvenor-<version>-win64.zip, Kalvenor-<version>-win64-setup.exe and
# SHA256SUMS for the two. Two runs of the same commit, in any folders, give
# the same Kalvenor.exe and the same zip.
# With a code-signing certificate (KALVENOR_CERTIFICADO, KALVENOR_CERTIFICADO_CLAVE
# and optionally KALVENOR_SELLO_TIEMPO: see packaging/firmar.sh), Kalvenor.exe,
# the uninstaller and the setup are signed; without one, nothing is.
# The build folder is configured with the windows-release preset. With
# KALVENOR_PAQUETES_COMPROBADOS set (a test run that has checked them), the
# system packages are not checked again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package}
dist=${2:-$root/dist}
mkdir -p "$build" "$dist"
build=$(cd "$build" && pwd)
dist=$(cd "$dist" && pwd)

[ -n "${KALVENOR_PAQUETES_COMPROBADOS:-}" ] || bash "$root/scripts/install-deps.sh" windows paquetes
firmar=()
if [ -n "${KALVENOR_CERTIFICADO:-}" ]; then
  firmar=(bash "$root/packaging/firmar.sh")
  # A certificate that cannot sign stops everything before the build.
  "${firmar[@]}" --comprobar
fi

# The zip's file dates (cmake -E tar takes SOURCE_DATE_EPOCH): the commit's
# time unless given, read in UTC; outside a git checkout, a fixed date.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)
fi
export SOURCE_DATE_EPOCH TZ=UTC

(cd "$root" && cmake --preset windows-release -B "$build" >/dev/null)
cmake --build "$build" --target Kalvenor
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip="Kalvenor-$version-win64.zip"
setup="Kalvenor-$version-win64-setup.exe"
paquetes="$build/paquetes"
rm -rf "$paquetes"
mkdir -p "$paquetes/portable"
# Downloads of an earlier run are not left beside a failed one; neither are
# half-made packages.
rm -f "$dist/$zip" "$dist/$setup" "$dist/SHA256SUMS"
trap 'rm -rf "$paquetes"' ERR

# The installed files, signed once for both downloads.
cmake --install "$build" --prefix "$paquetes/portable" >/dev/null
nsis=()
if [ ${#firmar[@]} -gt 0 ]; then
  "${firmar[@]}" "$paquetes/portable/Kalvenor.exe"
  # makensis signs the uninstaller and the setup as it writes them.
  printf -v orden '%q ' "${firmar[@]}"
  nsis=(-D "KALVENOR_FIRMAR=$orden")
fi
# The installer: CPack's NSIS generator (makensis), from those same files.
(cd "$build" && cpack -G NSIS -B "$paquetes" -D CPACK_INSTALL_CMAKE_PROJECTS= \
  -D "CPACK_INSTALLED_DIRECTORIES=$paquetes/portable;." "${nsis[@]}" >/dev/null)
# The zip: the same files, in the order of their names (a zip keeps the order
# it was given; CPack's would follow the folder listing).
(cd "$paquetes/portable" && find . -type f -printf '%P\n' | LC_ALL=C sort >../lista &&
  cmake -E tar cf "../$zip" --format=zip --files-from=../lista)

cp "$paquetes/$zip" "$paquetes/$setup" "$dist/"
cd "$dist"
sha256sum "$zip" "$setup" >SHA256SUMS
echo "En $dist:"
ls -l "$zip" "$setup" SHA256SUMS
