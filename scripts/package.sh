#!/usr/bin/env bash
# Makes the Windows downloads from one Release build of Kalvenor.exe:
#   scripts/package.sh [build folder] [output folder]
# (by default build/package and dist/). The output folder gets
# Kalvenor-<version>-win64.zip, Kalvenor-<version>-win64-setup.exe and
# SHA256SUMS for the two. Two runs of the same commit, in any folders, give
# the same Kalvenor.exe and the same zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package}
dist=${2:-$root/dist}
mkdir -p "$build" "$dist"
build=$(cd "$build" && pwd)
dist=$(cd "$dist" && pwd)

bash "$root/scripts/install-deps.sh"

# The zip's file dates (cmake -E tar takes SOURCE_DATE_EPOCH): the commit's
# time unless given, read in UTC; outside a git checkout, a fixed date.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)
fi
export SOURCE_DATE_EPOCH TZ=UTC

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKALVENOR_BUILD_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Kalvenor
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip="Kalvenor-$version-win64.zip"
setup="Kalvenor-$version-win64-setup.exe"
paquetes="$build/paquetes"
rm -rf "$paquetes"
mkdir -p "$paquetes/portable"

# The installer: CPack's NSIS generator (makensis).
(cd "$build" && cpack -G NSIS -B "$paquetes" >/dev/null)
# The zip: the same installed files, in the order of their names (a zip keeps
# the order it was given; CPack's would follow the folder listing).
cmake --install "$build" --prefix "$paquetes/portable" >/dev/null
(cd "$paquetes/portable" && find . -type f -printf '%P\n' | LC_ALL=C sort >../lista &&
  cmake -E tar cf "../$zip" --format=zip --files-from=../lista)

cp "$paquetes/$zip" "$paquetes/$setup" "$dist/"
cd "$dist"
sha256sum "$zip" "$setup" >SHA256SUMS
echo "En $dist:"
ls -l "$zip" "$setup" SHA256SUMS
