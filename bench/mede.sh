# Sourced by the benchmark scripts (not run on its own): RUNS runs of a command, its standard
# output kept in saida.txt (the last run's) in the current folder.
# mede CMD...  prints "median_wall_seconds peak_rss_kb" over the runs.
mede() {
  local tempos=() rss=0 t0 m
  for ((i = 0; i < RUNS; i++)); do
    t0=$EPOCHREALTIME
    /usr/bin/time -f %M -o rss "$@" >saida.txt 2>/dev/null || true
    tempos+=("$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')")
    m=$(tail -n 1 rss)
    ((m > rss)) && rss=$m
  done
  echo "$(printf '%s\n' "${tempos[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p") $rss"
}
