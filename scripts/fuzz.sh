#!/usr/bin/env bash
# Runs the libFuzzer targets of a fuzz build (make fuzz / make test).
#   fuzz.sh BUILD smoke          every target briefly on its seeds and regression inputs
#   fuzz.sh BUILD SECONDS [T..]  every target (or the named ones) for SECONDS each, two at a time
# Seeds are written afresh by the build's `sementes` into BUILD/sementes; the inputs a run finds
# grow BUILD/corpus/<target>; crashes, leaks and timeouts land in BUILD/achados/ and fail the run.
# Committed regression inputs: fuzz/regressoes/<target>/.
set -eu
build=$1
modo=$2
shift 2
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$build"
alvos="${*:-$(cd fuzz && ls -- *_fuzz | sed 's/_fuzz$//')}"

rm -rf sementes
fuzz/sementes sementes 2>/dev/null
mkdir -p achados log

# A fatal report is an ordinary outcome for a hostile file: the targets' own stderr is closed
# (-close_fd_mask=2) and libFuzzer's and the sanitizers' reports still come through.
# A single allocation of 256 MiB, far beyond what files of a few KiB can justify, is a finding.
comuns="-timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=256 -close_fd_mask=2"
[ -d /dev/shm ] && export TMPDIR=/dev/shm  # the scratch file of every input
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1

roda() {  # corpus directory that takes new inputs, target, then libFuzzer options
  local novos=$1 t=$2
  shift 2
  mkdir -p "$novos/$t" "$raiz/fuzz/regressoes/$t"
  if "fuzz/${t}_fuzz" $comuns -artifact_prefix="$PWD/achados/$t-" "$@" \
      "$novos/$t" "sementes/$t" "$raiz/fuzz/regressoes/$t" >"log/$t.log" 2>&1; then
    echo "$t: $(grep -aE '^#[0-9]+' "log/$t.log" | tail -1)"
  else
    echo "$t: FAILED, see $build/log/$t.log"
    tail -40 "log/$t.log"
    return 1
  fi
}
export -f roda
export comuns raiz build

if [ "$modo" = smoke ]; then
  # A fixed seed and a fresh corpus directory: the same inputs every time.
  rm -rf fumaca
  falhas=0
  for t in $alvos; do roda fumaca "$t" -seed=1 -runs=3000 -max_total_time=5 || falhas=1; done
  exit $falhas
fi
printf '%s\n' $alvos | xargs -P 2 -I{} bash -c "roda corpus {} -max_total_time=$modo -print_final_stats=1"
