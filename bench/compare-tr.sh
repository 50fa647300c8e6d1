#!/usr/bin/env bash
# Compares Traducir with GNU tr on the same 100-million-character Spanish
# text: runs the benchmark, writes the text as UTF-8 to a temporary file and
# times tr translating the ten table letters, small and capital, into their
# digits. Speeds are in million characters per second (the text's characters,
# not its UTF-8 bytes). The last line reads
#   traducir_mchars_per_s=N tr_mchars_per_s=T ratio=R
# where T is tr writing to /dev/null (its fastest), and R = N / T.
#
#   bench/compare-tr.sh    (builds in build/bench: the native preset with the
#                           benchmarks and without the tests)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench

bash "$root/scripts/install-deps.sh" nativa bench
(cd "$root" && cmake --preset native -B "$build" -DKALVENOR_BUILD_BENCH=ON -DKALVENOR_BUILD_TESTS=OFF >/dev/null)
cmake --build "$build" --target kalvenor_bench_traducir >/dev/null
bench="$build/bench/kalvenor_bench_traducir"

temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT

caracteres=$("$bench" --escribir-texto="$temp/texto.txt" --escribir-clave="$temp/clave.txt" |
  sed -n 's/^caracteres=//p')
bytes=$(stat -c %s "$temp/texto.txt")

# Best of five runs, in seconds; the output goes to the file given.
tiempo_tr() {
  local salida=$1 mejor="" inicio fin ns
  for _ in 1 2 3 4 5; do
    inicio=$(date +%s%N)
    LC_ALL=C tr 'murcielagoMURCIELAGO' '12345678901234567890' <"$temp/texto.txt" >"$salida"
    fin=$(date +%s%N)
    ns=$((fin - inicio))
    if [ -z "$mejor" ] || [ "$ns" -lt "$mejor" ]; then mejor=$ns; fi
  done
  echo "$mejor"
}

# Read the file once so that every run finds it in the page cache.
cat "$temp/texto.txt" >/dev/null
ns_null=$(tiempo_tr /dev/null)
ns_archivo=$(tiempo_tr "$temp/salida.txt")

# tr must do the same work: its output is Traducir's translation into code.
if ! cmp -s "$temp/salida.txt" "$temp/clave.txt"; then
  echo "La salida de tr no es la traducción de Traducir" >&2
  exit 1
fi
rm -f "$temp/clave.txt"

salida_bench=$("$bench" 2>&1)
echo "$salida_bench"
ultima=$(printf '%s\n' "$salida_bench" | tail -n 1)
traducir=$(printf '%s\n' "$ultima" | sed -n 's/.*traducir_mchars_per_s=\([0-9.]*\).*/\1/p')
memcpy=$(printf '%s\n' "$ultima" | sed -n 's/.*memcpy_mchars_per_s=\([0-9.]*\).*/\1/p')

tr_null=$(awk -v c="$caracteres" -v ns="$ns_null" 'BEGIN { printf "%.0f", c / (ns / 1e9) / 1e6 }')
tr_archivo=$(awk -v c="$caracteres" -v ns="$ns_archivo" 'BEGIN { printf "%.0f", c / (ns / 1e9) / 1e6 }')
ratio=$(awk -v a="$traducir" -v b="$tr_null" 'BEGIN { printf "%.2f", a / b }')
ratio_archivo=$(awk -v a="$traducir" -v b="$tr_archivo" 'BEGIN { printf "%.2f", a / b }')

echo
echo "Texto: $caracteres caracteres ($bytes bytes en UTF-8), millones de caracteres por segundo:"
echo "  Traducir, la dirección más lenta: $traducir"
echo "  memcpy:                           $memcpy"
echo "  GNU tr, salida a /dev/null:       $tr_null"
echo "  GNU tr, salida a un archivo:      $tr_archivo"
echo "Traducir / tr: $ratio (tr a /dev/null), $ratio_archivo (tr a un archivo)"
echo "traducir_mchars_per_s=$traducir tr_mchars_per_s=$tr_null ratio=$ratio"
