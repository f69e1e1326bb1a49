#!/usr/bin/env bash
# Whole-process cost of verify: wall time (median of RUNS) and peak resident memory of
# "morvia v2s" on the scan of a marked 2200 x 1700 page and "morvia v4s" on a 4400 x 3400 one,
# both through a mild print and scan, and "v4s" on the 4400 x 3400 scan turned three quarters
# (the worst case: four orientations tried); then the time of each phase, taken from the moment
# each banner line reaches a line-buffered pipe (median of RUNS).
# Usage: bench/verificacao_bench.sh [build-dir]
#   (needs the morvia, geradoc and printscan targets built). RUNS overrides the runs (default 5).
set -euo pipefail

BUILD=${1:-build}
RUNS=${RUNS:-5}
MORVIA=$BUILD/morvia
for prog in "$MORVIA" "$BUILD/geradoc" "$BUILD/printscan"; do
  [[ -x $prog ]] || { echo "falta $prog (cmake --build $BUILD --target morvia geradoc printscan)" >&2; exit 1; }
done
for prog in /usr/bin/time stdbuf bc; do
  command -v "$prog" >/dev/null || { echo "falta $prog" >&2; exit 1; }
done

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# The scans: a text page, a payload of about half the capacity, sign, print and scan.
carga() {
  local n=$1 i s=""
  for ((i = 0; i < n; i++)); do s+=$(((i * 7 + i / 3) % 5 < 2)); done
  printf '%d\n\n%s\n' "$n" "$s"
}
for k in 2 4; do
  dpi=$((k * 100))
  "$BUILD/geradoc" "$TMP/p$k.bmp" "$dpi" 5 2>/dev/null
  carga $((k == 2 ? 134 : 685)) > "$TMP/c$k.vet"
  "$MORVIA" "s${k}s" "$TMP/p$k.bmp" "$TMP/c$k.vet" "$TMP/m$k.bmp" >/dev/null 2>&1
  "$BUILD/printscan" "$TMP/m$k.bmp" "$TMP/s$k.tga" --dpi-doc "$dpi" \
    --toner 1 --ganho 0.05 --borrao 0.7 --ruido 3 2>/dev/null
done
"$BUILD/printscan" "$TMP/m4.bmp" "$TMP/s4g.tga" --dpi-doc 400 \
  --toner 1 --ganho 0.05 --borrao 0.7 --ruido 3 --giro 3 2>/dev/null
cp "$TMP/c4.vet" "$TMP/c4g.vet"
CASOS=(2 4 4g)

mediana() { sort -g | sed -n "$(((RUNS + 1) / 2))p"; }

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
  echo "$(printf '%s\n' "${tempos[@]}" | mediana) $rss"
}

# One run with line-buffered output: the seconds from the start to the first banner (start-up
# and reading the scan), between consecutive banners (phases 1 to 3), and from the last banner
# to the end (phase 4 and writing the payload file).
fases() {
  local t0 marcas=() l
  t0=$EPOCHREALTIME
  while IFS= read -r l; do
    [[ $l == "<<"* ]] && marcas+=("$EPOCHREALTIME")
  done < <(stdbuf -oL "$@" 2>/dev/null)
  marcas+=("$EPOCHREALTIME")
  ((${#marcas[@]} == 5)) || { echo "verificacao incompleta: $*" >&2; exit 1; }
  local ant=$t0 m
  for m in "${marcas[@]}"; do
    printf '%s ' "$(echo "$m - $ant" | bc -l)"
    ant=$m
  done
  echo
}

descricao() {
  case $1 in
    2) echo "v2s 2200 x 1700" ;;
    4) echo "v4s 4400 x 3400" ;;
    *) echo "v4s 4400 x 3400, 3 giros" ;;
  esac
}

printf '%-28s %12s %14s\n' caso "mediana (s)" "pico RSS (MB)"
for k in "${CASOS[@]}"; do
  rm -f "$TMP/saida$k.vet"
  read -r t rss < <(mede "$MORVIA" "v${k:0:1}s" "$TMP/s$k.tga" "$TMP/saida$k.vet")
  [[ -s $TMP/saida$k.vet ]] || { echo "$(descricao "$k") falhou" >&2; exit 1; }
  cmp -s <(tr -d ' ,\n' < "$TMP/saida$k.vet") <(tr -d ' ,\n' < "$TMP/c$k.vet") ||
    echo "aviso: $(descricao "$k") nao devolveu a carga" >&2
  printf '%-28s %12.4f %14.1f\n' "$(descricao "$k")" "$t" "$(echo "$rss / 1024" | bc -l)"
done

echo
printf '%-28s %8s %8s %8s %8s %8s   (mediana, s)\n' caso leitura fase1 fase2 fase3 fase4
for k in "${CASOS[@]}"; do
  : > "$TMP/fases"
  for ((i = 0; i < RUNS; i++)); do
    fases "$MORVIA" "v${k:0:1}s" "$TMP/s$k.tga" "$TMP/f$k.vet" >> "$TMP/fases"
  done
  printf '%-28s' "$(descricao "$k")"
  for col in 1 2 3 4 5; do
    printf ' %8.4f' "$(cut -d' ' -f$col "$TMP/fases" | mediana)"
  done
  echo
done
