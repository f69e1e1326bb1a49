#!/usr/bin/env bash
# Whole-process cost of morvia-doc on a 10-page letter document: sign at 200 and 400 dpi
# (PDF in, PDF out), and verify of the 10 pages printed and scanned at 300 dpi as one scanned
# PDF, on every core and on one (MORVIA_THREADS=1). Wall time (median of RUNS), seconds per
# page, and peak resident memory of the largest process. The reference, in the same run, is
# plain morvia on the same 10 pages one after the other: s2s on the 200 dpi pages, and v2s on
# those pages printed and scanned at 200 dpi (the plain tool reads only scans at the document's
# dpi).
# Usage: bench/morviadoc_bench.sh [build-dir]   (RUNS overrides the runs, default 5)
set -euo pipefail

BUILD=${1:-build}
RUNS=${RUNS:-5}
for prog in morvia morvia-doc geradoc printscan imgconv; do
  [[ -x $BUILD/$prog ]] || { echo "missing $BUILD/$prog" >&2; exit 1; }
done
for prog in /usr/bin/time bc qpdf; do
  command -v "$prog" >/dev/null || { echo "missing $prog" >&2; exit 1; }
done
BUILD=$(cd "$BUILD" && pwd)
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"
N=10

"$BUILD/geradoc" doc.pdf 200 1 --paginas $N 2>/dev/null
"$BUILD/morvia-doc" sign doc.pdf marked.pdf --text "ACME copy 17" >/dev/null 2>&1
paginas=()
for ((k = 1; k <= N; k++)); do
  "$BUILD/printscan" marked.pdf "s$k.png" --pagina $k --dpi-scan 300 --toner 1 --borrao 0.7 \
    --ruido 3 --rot 0.5 --semente $k 2>/dev/null
  "$BUILD/imgconv" gry "s$k.png" "s$k.pdf" 2>/dev/null
  "$BUILD/imgconv" bin doc.pdf "d$k.bmp" $k 2>/dev/null
  paginas+=("s$k.pdf")
done
qpdf --empty --pages "${paginas[@]}" -- scans.pdf

# shellcheck source=bench/mede.sh
source "$RAIZ/bench/mede.sh"

linha() {
  printf '%-52s %10.3f %10.3f %10.1f\n' "$1" "$2" "$(echo "$2 / $N" | bc -l)" "$(echo "$3 / 1024" | bc -l)"
}

plainsign() { for ((k = 1; k <= N; k++)); do "$BUILD/morvia" s2s "d$k.bmp" "$1" "o$k.bmp"; done; }
plainverify() { for ((k = 1; k <= N; k++)); do "$BUILD/morvia" v2s "$1$k.tga" "l$k.vet"; done; }
export -f plainsign plainverify
export BUILD N

printf '%-52s %10s %10s %10s\n' case "total (s)" "per page" "peak MB"
read -r t m < <(mede "$BUILD/morvia-doc" sign doc.pdf out.pdf --text "ACME copy 17")
linha "morvia-doc sign, 10-page PDF, 200 dpi" "$t" "$m"
read -r t m < <(mede "$BUILD/morvia-doc" sign doc.pdf out4.pdf --dpi 400 --text "ACME copy 17")
linha "morvia-doc sign, 10-page PDF, 400 dpi" "$t" "$m"
read -r t m < <(mede "$BUILD/morvia-doc" verify scans.pdf)
grep -c verified saida.txt | grep -qx $N || echo "warning: not every page verified" >&2
linha "morvia-doc verify, 10 scans at 300 dpi in one PDF" "$t" "$m"
read -r t m < <(mede env MORVIA_THREADS=1 "$BUILD/morvia-doc" verify scans.pdf)
linha "  the same on one core (MORVIA_THREADS=1)" "$t" "$m"
# The same with a key: sign, then verify of the keyed pages scanned the same way.
"$BUILD/morvia-doc" keygen chave >/dev/null 2>&1
"$BUILD/morvia-doc" sign doc.pdf markedk.pdf --text "ACME copy 17" --key chave >/dev/null 2>&1
paginas=()
for ((k = 1; k <= N; k++)); do
  "$BUILD/printscan" markedk.pdf "k$k.png" --pagina $k --dpi-scan 300 --toner 1 --borrao 0.7 \
    --ruido 3 --rot 0.5 --semente $k 2>/dev/null
  "$BUILD/imgconv" gry "k$k.png" "k$k.pdf" 2>/dev/null
  paginas+=("k$k.pdf")
done
qpdf --empty --pages "${paginas[@]}" -- scansk.pdf
read -r t m < <(mede "$BUILD/morvia-doc" sign doc.pdf outk.pdf --text "ACME copy 17" --key chave)
linha "morvia-doc sign --key, 10-page PDF, 200 dpi" "$t" "$m"
read -r t m < <(mede "$BUILD/morvia-doc" verify scansk.pdf --key chave)
grep -c verified saida.txt | grep -qx $N || echo "warning: not every keyed page verified" >&2
linha "morvia-doc verify --key, the 10 keyed scans" "$t" "$m"
echo "reference, same pages one after the other:"
printf '10\n\n1011001110\n' > c.vet
read -r t m < <(mede bash -c "plainsign c.vet")
linha "  morvia s2s x 10 (BMP in and out)" "$t" "$m"
for ((k = 1; k <= N; k++)); do "$BUILD/morvia" s2s "d$k.bmp" c.vet "p$k.bmp" >/dev/null 2>&1; done
for ((k = 1; k <= N; k++)); do
  "$BUILD/printscan" "p$k.bmp" "v$k.tga" --toner 1 --borrao 0.7 --ruido 3 --rot 0.5 --semente $k 2>/dev/null
done
read -r t m < <(mede bash -c "plainverify v")
linha "  morvia v2s x 10 (200 dpi TGA scans)" "$t" "$m"
