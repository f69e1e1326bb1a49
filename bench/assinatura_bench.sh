#!/usr/bin/env bash
# Whole-process cost of sign: wall time (median of RUNS) and peak resident memory of
# "morvia s2s" on a 2200 x 1700 text page and "morvia s4s" on a 4400 x 3400 one.
# Usage: bench/assinatura_bench.sh [build-dir]   (needs the morvia and geradoc targets built)
# RUNS overrides the number of runs (default 5).
set -euo pipefail

BUILD=${1:-build}
RUNS=${RUNS:-5}
MORVIA=$BUILD/morvia
GERADOC=$BUILD/geradoc
for prog in "$MORVIA" "$GERADOC"; do
  [[ -x $prog ]] || { echo "falta $prog (cmake --build $BUILD --target morvia geradoc)" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

"$GERADOC" "$TMP/p2.bmp" 200 5 2>/dev/null
"$GERADOC" "$TMP/p4.bmp" 400 5 2>/dev/null
# A 40-bit payload: small beside either profile's capacity, as in ordinary use.
printf '40\n\n1010,0110 0011,1001 0101,1100 1110,0001\n1001,0110\n' > "$TMP/carga.vet"

# Prints "median_seconds max_rss_kb" over RUNS runs of the given command.
mede() {
  local tempos=() rss=0 t0 t1 m
  for ((i = 0; i < RUNS; i++)); do
    t0=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$TMP/rss" "$@" >/dev/null 2>&1
    t1=$EPOCHREALTIME
    tempos+=("$(echo "$t1 - $t0" | bc -l)")
    m=$(tail -n 1 "$TMP/rss")
    ((m > rss)) && rss=$m
  done
  printf '%s\n' "${tempos[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p" | tr '\n' ' '
  echo "$rss"
}

printf '%-30s %12s %14s\n' caso "mediana (s)" "pico RSS (MB)"
for k in 2 4; do
  read -r t rss < <(mede "$MORVIA" "s${k}s" "$TMP/p$k.bmp" "$TMP/carga.vet" "$TMP/saida$k.bmp")
  [[ -s $TMP/saida$k.bmp ]] || { echo "s${k}s falhou" >&2; exit 1; }
  dims=$([[ $k == 2 ]] && echo "2200 x 1700" || echo "4400 x 3400")
  printf '%-30s %12.4f %14.1f\n' "s${k}s $dims" "$t" "$(echo "$rss / 1024" | bc -l)"
done
