#!/usr/bin/env bash
# The whole job on the bundled sample: a letter page at 200 dpi is generated, signed with the
# sample payload, printed and scanned by the simulator, and verified.
set -eu
build=${1:-build}
raiz=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$build" && pwd)
demo="$bin/demo"
mkdir -p "$demo"
cd "$demo"

# Runs a step; the library's start-up banner is kept off the screen, any error is shown.
passo() {
  if ! "$@" 2>"$demo/stderr.txt"; then
    grep -v '^\[ .* \]$' "$demo/stderr.txt" >&2
    exit 1
  fi
}

echo "== Sample page: letter, 200 dpi, 2200 x 1700 pixels -> $demo/original.bmp"
passo "$bin/geradoc" original.bmp 200 1

echo
echo "== Sign: morvia s2s original.bmp carga.vet marked.bmp"
cp "$raiz/samples/carga.vet" carga.vet
passo "$bin/morvia" s2s original.bmp carga.vet marked.bmp
echo "Marked page written to $demo/marked.bmp"

echo
echo "== Print and scan: printscan marked.bmp scan.tga (600 dpi printer, toner spread, scanner blur, noise, 0.5 degree rotation)"
passo "$bin/printscan" marked.bmp scan.tga --toner 1.0 --borrao 0.7 --ruido 3 --rot 0.5 --semente 5

echo
echo "== Verify: morvia v2s scan.tga lido.vet"
passo "$bin/morvia" v2s scan.tga lido.vet

echo
orig=$(sed '/^#/d' carga.vet | tail -n +2 | tr -d ' ,\n\r')
lido=$(tail -n +2 lido.vet | tr -d ' ,\n\r')
echo "Payload embedded: $orig"
echo "Payload read:     $lido"
if [ "$orig" = "$lido" ]; then echo "The payload came back bit for bit."; else echo "The payload differs."; exit 1; fi
