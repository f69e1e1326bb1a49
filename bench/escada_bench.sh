#!/usr/bin/env bash
# What the conditioning ladder of morvia-doc verify costs: for one 200 dpi page printed and
# scanned with each distortion, the median wall time of the whole verify (ladder on), of the
# read as scanned alone (--no-conditioning), and, in the same run, of plain morvia v2s on the
# typical scan of the same page (the reference "plain verify"). The ratio is verify over that
# reference.
# Usage: bench/escada_bench.sh [build-dir]   (RUNS overrides the runs, default 5)
set -euo pipefail

BUILD=${1:-build}
RUNS=${RUNS:-5}
for prog in morvia morvia-doc geradoc printscan; do
  [[ -x $BUILD/$prog ]] || { echo "missing $BUILD/$prog" >&2; exit 1; }
done
BUILD=$(cd "$BUILD" && pwd)
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"

"$BUILD/geradoc" p.bmp 200 3 2>/dev/null
"$BUILD/morvia-doc" sign p.bmp d.bmp --text "ACME copy 17 / Lisbon 1" >/dev/null 2>&1
"$BUILD/morvia" s2s p.bmp "$RAIZ/samples/carga.vet" a.bmp >/dev/null 2>&1
TIPICA=(--toner 1 --borrao 0.7 --ruido 3 --semente 7)
"$BUILD/printscan" a.bmp a.tga "${TIPICA[@]}" 2>/dev/null

# shellcheck source=bench/mede.sh
source "$RAIZ/bench/mede.sh"

read -r ref _ < <(mede "$BUILD/morvia" v2s a.tga l.vet)
printf 'plain morvia v2s, typical scan: %.3f s (the reference)\n' "$ref"
printf '%-20s %10s %12s %7s  %s\n' distortion "verify (s)" "as scanned" ratio "verdict, conditioning"
for caso in "typical|" "noise 14|--ruido 14" "paper 185|--branco 185" "blur 1.8|--borrao 1.8" \
  "light to 60 %|--luz-linear 0.6" "keystone 10 %|--mesa 120 --trapezio 0.1"; do
  IFS='|' read -r nome opcoes <<<"$caso"
  # shellcheck disable=SC2086
  "$BUILD/printscan" d.bmp s.png "${TIPICA[@]}" $opcoes 2>/dev/null
  read -r so _ < <(mede "$BUILD/morvia-doc" verify s.png --no-conditioning)
  read -r t _ < <(mede "$BUILD/morvia-doc" verify s.png --json)
  r=$(sed -E 's/.*"verdict":"([^"]*)".*"conditioning":"([^"]*)".*/\1, \2/' saida.txt)
  printf '%-20s %10.3f %12.3f %7.2f  %s\n' "$nome" "$t" "$so" "$(awk -v a="$t" -v b="$ref" 'BEGIN { print a / b }')" "$r"
done
