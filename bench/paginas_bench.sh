#!/usr/bin/env bash
# The references of bench_paginas_bench: netpbm's converters (and ghostscript and poppler for
# PDF, when present) reading and writing the same pages, whole process, median of RUNS, output
# to /dev/null. The pages are written by our tools: a 4400 x 3400 text page at 400 dpi, and
# that page's 200 dpi sibling printed and scanned at 300 dpi (3300 x 2550 grey).
# Usage: bench/paginas_bench.sh [build-dir]   (needs geradoc, printscan and imgconv built)
set -euo pipefail

BUILD=$(cd "${1:-build}" && pwd)
RUNS=${RUNS:-5}
for prog in geradoc printscan imgconv; do
  [[ -x $BUILD/$prog ]] || { echo "falta $BUILD/$prog" >&2; exit 1; }
done
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"

"$BUILD/geradoc" b.bmp 400 7 2>/dev/null
"$BUILD/geradoc" d200.bmp 200 7 2>/dev/null
"$BUILD/printscan" d200.bmp g.tga --dpi-scan 300 --toner 1 --borrao 0.7 --ruido 3 --rot 0.5 \
  2>/dev/null >/dev/null
for f in b.pbm b.png b.tif b.pdf; do "$BUILD/imgconv" bin b.bmp "$f" 1 400 2>/dev/null; done
for f in g.pgm g.png g.tif g.pdf; do "$BUILD/imgconv" gry g.tga "$f" 1 300 2>/dev/null; done

mediana() {  # median wall seconds of RUNS runs of a shell command line
  local t=() t0 t1
  for ((i = 0; i < RUNS; i++)); do
    t0=$EPOCHREALTIME
    sh -c "$1" >/dev/null 2>&1
    t1=$EPOCHREALTIME
    t+=("$(echo "$t1 - $t0" | bc -l)")
  done
  printf '%s\n' "${t[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p"
}

linha() {  # case, file whose size is shown (the input read, or the file written), command
  if ! command -v "${3%% *}" >/dev/null 2>&1; then
    printf '%-42s %10s  (%s ausente)\n' "$1" - "${3%% *}"
    return
  fi
  local t
  t=$(mediana "$3")
  printf '%-42s %10.4f %10d  %s\n' "$1" "$t" "$(stat -c %s "$2")" "$3"
}

printf '%-42s %10s %10s  %s\n' caso "mediana s" bytes comando
linha "1 bit 4400x3400: le PNG" b.png "pngtopam b.png"
linha "1 bit 4400x3400: le TIFF G4" b.tif "tifftopnm b.tif"
linha "1 bit 4400x3400: escreve PNG" w.png "pnmtopng b.pbm > w.png"
linha "1 bit 4400x3400: escreve TIFF G4" w.tif "pnmtotiff -g4 b.pbm > w.tif"
linha "1 bit 4400x3400: PDF a 400 dpi (gs)" b.pdf "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r400 -sOutputFile=- b.pdf"
linha "1 bit 4400x3400: PDF a 400 dpi (pdftoppm)" b.pdf "pdftoppm -r 400 -mono b.pdf"
linha "cinza 3300x2550: le PNG" g.png "pngtopam g.png"
linha "cinza 3300x2550: le TIFF" g.tif "tifftopnm g.tif"
linha "cinza 3300x2550: escreve PNG" wg.png "pnmtopng g.pgm > wg.png"
linha "cinza 3300x2550: escreve TIFF (LZW)" wg.tif "pnmtotiff -lzw g.pgm > wg.tif"
linha "cinza 3300x2550: imagem do PDF (pdfimages)" g.pdf "pdfimages g.pdf x"
