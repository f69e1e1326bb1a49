#!/usr/bin/env bash
# The conditioning sweep: text pages at 200 dpi, signed, printed and scanned through a grid of
# distortions, and read back by plain `morvia v2s` (its own 64-bit payload, exact or not) beside
# `morvia-doc verify` (a 22-byte text: verified, unverified, no mark, and any wrong payload
# verified, which must never happen), in one run. Prints one row per scenario.
# Usage: bench/varredura_bench.sh [build-dir]
#   PAGES (default 10) pages, SEEDS (default 2) noise seeds per scenario, SCANDPI (default 200:
#   plain morvia reads only scans at the document's dpi) the scanner's resolution.
set -euo pipefail

BUILD=${1:-build}
PAGES=${PAGES:-10}
SEEDS=${SEEDS:-2}
SCANDPI=${SCANDPI:-200}
for prog in morvia morvia-doc geradoc printscan; do
  [[ -x $BUILD/$prog ]] || { echo "missing $BUILD/$prog" >&2; exit 1; }
done
BUILD=$(cd "$BUILD" && pwd)
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"

# Scenario name and printscan options, beyond the typical print (toner 1, blur 0.7, noise 3).
CENARIOS=(
  "typical|"
  "blur 1.4|--borrao 1.4"
  "toner grey 60|--preto 60"
  "toner grey 90|--preto 90"
  "noise 10|--ruido 10"
  "noise 14|--ruido 14"
  "blur 1.8|--borrao 1.8"
  "paper 200|--branco 200"
  "paper 185|--branco 185"
  "typical + rot 1|--rot 1"
  "noise 10 + rot 1|--ruido 10 --rot 1"
  "blur 1.4 + rot 1|--borrao 1.4 --rot 1"
  "paper 200 + rot 1|--branco 200 --rot 1"
)
TEXTO="ACME copy 17 / Lisbon 1"  # 23 bytes: the longest text at 200 dpi
CARGA=$RAIZ/samples/carga.vet
esperado=$(sed '/^#/d' "$CARGA" | tail -n +2 | tr -d ' ,\n\r')

for ((k = 1; k <= PAGES; k++)); do
  "$BUILD/geradoc" "p$k.bmp" 200 "$k" 2>/dev/null
  "$BUILD/morvia" s2s "p$k.bmp" "$CARGA" "a$k.bmp" >/dev/null 2>&1
  "$BUILD/morvia-doc" sign "p$k.bmp" "d$k.bmp" --text "$TEXTO" >/dev/null 2>&1
done

printf '%-22s %7s | %8s %10s %7s %7s %6s\n' scenario "morvia" "doc" "unverified" "nomark" "wrong" "rungs"
totalerrado=0
for c in "${CENARIOS[@]}"; do
  nome=${c%%|*}
  opcoes=${c#*|}
  plano=0 doc=0 naover=0 semmarca=0 errado=0 casos=0
  declare -A degraus=()
  for ((k = 1; k <= PAGES; k++)); do
    for ((s = 1; s <= SEEDS; s++)); do
      casos=$((casos + 1))
      # shellcheck disable=SC2086
      "$BUILD/printscan" "a$k.bmp" a.tga --toner 1 --borrao 0.7 --ruido 3 $opcoes \
        --semente $((100 * k + s)) 2>/dev/null
      if "$BUILD/morvia" v2s a.tga l.vet >/dev/null 2>&1 &&
        [[ $(tail -n +2 l.vet | tr -d ' ,\n\r') == "$esperado" ]]; then
        plano=$((plano + 1))
      fi
      # shellcheck disable=SC2086
      "$BUILD/printscan" "d$k.bmp" d.png --toner 1 --borrao 0.7 --ruido 3 $opcoes \
        --dpi-scan "$SCANDPI" --semente $((100 * k + s)) 2>/dev/null
      linha=$("$BUILD/morvia-doc" verify d.png --json 2>/dev/null || true)
      case $linha in
        *'"verdict":"verified"'*)
          if [[ $linha == *"\"payload\":\"$TEXTO\""* ]]; then doc=$((doc + 1)); else errado=$((errado + 1)); fi
          r=${linha#*\"conditioning\":\"}
          r=${r%%\"*}
          degraus[$r]=$((${degraus[$r]:-0} + 1))
          ;;
        *'"verdict":"unverified"'*) naover=$((naover + 1)) ;;
        *) semmarca=$((semmarca + 1)) ;;
      esac
    done
  done
  usados=""
  for r in "${!degraus[@]}"; do usados+="$r:${degraus[$r]} "; done
  unset degraus
  totalerrado=$((totalerrado + errado))
  printf '%-22s %3d/%-3d | %3d/%-3d %10d %7d %6d   %s\n' "$nome" $plano $casos $doc $casos \
    $naover $semmarca $errado "$usados"
done
echo "wrong payloads reported as verified over the sweep: $totalerrado"
