#!/usr/bin/env bash
# The user's road on a generated document: a 2-page letter PDF is signed with a text, each
# marked page is printed and scanned by the simulator into a 300 dpi PNG, and the scans are
# verified.
set -eu
build=${1:-build}
bin=$(cd "$build" && pwd)
demo="$bin/demo"
mkdir -p "$demo"
cd "$demo"
rm -f scan-*.png marked.pdf

# Runs a step; the library's start-up banner is kept off the screen, any error is shown.
passo() {
  if ! "$@" 2>"$demo/stderr.txt"; then
    grep -v '^\[ .* \]$' "$demo/stderr.txt" >&2
    exit 1
  fi
}

echo "== A 2-page letter document at 200 dpi: geradoc document.pdf 200 1 --paginas 2"
passo "$bin/geradoc" document.pdf 200 1 --paginas 2

echo
echo "== Sign: morvia-doc sign document.pdf marked.pdf --text \"ACME copy 17\""
passo "$bin/morvia-doc" sign document.pdf marked.pdf --text "ACME copy 17"

echo
echo "== Print and scan each page at 300 dpi: printscan marked.pdf scan-K.png --pagina K --dpi-scan 300 ..."
for k in 1 2; do
  passo "$bin/printscan" marked.pdf "scan-$k.png" --pagina "$k" --dpi-scan 300 --toner 1.0 \
    --borrao 0.7 --ruido 3 --rot 0.5 --semente "$k"
done
echo "Scans written to $demo/scan-1.png and scan-2.png"

echo
echo "== Verify: morvia-doc verify scan-1.png scan-2.png"
"$bin/morvia-doc" verify scan-1.png scan-2.png 2>"$demo/stderr.txt" || {
  status=$?
  grep -v '^\[ .* \]$' "$demo/stderr.txt" >&2
  exit $status
}
