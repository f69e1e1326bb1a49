#!/usr/bin/env bash
# Whole-process cost of reading photographed and unevenly lit pages with morvia-doc verify,
# beside a plain verify of the same page as a flat 200 dpi scan, in one run: a 12-megapixel
# phone-like capture (330 pixels per inch on the page, on a desk, keystone 5 %, turned 3 degrees,
# light to 70 %, lens blur, JPEG of quality 85 recording 72 dpi) and a flatbed scan with light
# falling to 70 %. Median wall time of RUNS runs, the rung that verified, and peak memory.
# The steps alone (diagnosis, page, squaring, background): bench_captura_bench.
# Usage: bench/captura_bench.sh [build-dir]   (RUNS overrides the runs, default 5)
set -euo pipefail

BUILD=${1:-build}
RUNS=${RUNS:-5}
for prog in morvia-doc geradoc printscan; do
  [[ -x $BUILD/$prog ]] || { echo "missing $BUILD/$prog" >&2; exit 1; }
done
command -v /usr/bin/time >/dev/null || { echo "missing /usr/bin/time" >&2; exit 1; }
BUILD=$(cd "$BUILD" && pwd)
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"

"$BUILD/geradoc" p.bmp 200 7 2>/dev/null
"$BUILD/morvia-doc" sign p.bmp m.bmp --text "ACME copy 17" >/dev/null 2>&1
TIPICA=(--toner 1 --borrao 0.7 --ruido 3 --semente 5)
"$BUILD/printscan" m.bmp plana.png "${TIPICA[@]}" 2>/dev/null
"$BUILD/printscan" m.bmp luz.png "${TIPICA[@]}" --luz-linear 0.7 2>/dev/null
"$BUILD/printscan" m.bmp foto.jpg85 "${TIPICA[@]}" --captura celular --dpi-scan 330 2>/dev/null

# shellcheck source=bench/mede.sh
source "$RAIZ/bench/mede.sh"

printf '%-50s %9s %8s  %s\n' case "wall (s)" "peak MB" "verdict, conditioning"
for caso in "plana.png|flat scan, 200 dpi (reference)" "luz.png|flatbed, light falling to 70 %" \
  "foto.jpg|phone-like capture, 12 MP JPEG at 72 dpi"; do
  IFS='|' read -r f nome <<<"$caso"
  read -r t m < <(mede "$BUILD/morvia-doc" verify "$f" --json)
  r=$(sed -E 's/.*"verdict":"([^"]*)".*"conditioning":"([^"]*)".*/\1, \2/' saida.txt)
  printf '%-50s %9.3f %8.1f  %s\n' "$nome" "$t" "$(awk -v k="$m" 'BEGIN { print k / 1024 }')" "$r"
done
