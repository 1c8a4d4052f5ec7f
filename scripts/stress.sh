#!/usr/bin/env bash
# stress.sh [MERIDEL_LIST] [OUT]: every World pair of planets over the whole date range its
# bodies allow (the Pluto pairs 1600-01-01 to 2099-12-31, the others 1-01-01 to 2799-12-31),
# orbs 15, 10 and 5, through meridel-list (default build/bin/meridel-list). Writes per pair the
# rows and exact hits listed, the wall time and the peak resident memory to OUT (default
# build/stress.txt) and standard output. Fails when a run fails, writes to standard error, lists
# nothing, or its memory grows beyond STRESS_MAX_RSS_MB (default 512). Takes a quarter of an
# hour or more; not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
list=${1:-build/bin/meridel-list}
out=${2:-build/stress.txt}
max_rss_mb=${STRESS_MAX_RSS_MB:-512}
[ -x "$list" ] || { echo "no $list: build first (bash scripts/build.sh)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

names=(Sun Mercury Venus Mars Jupiter Saturn Uranus Neptune Pluto)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
printf '%-18s %-23s %8s %8s %9s %9s\n' "pair" "period" "rows" "hits" "seconds" "peak MB" | tee "$out"
for ((i = 0; i < ${#names[@]} - 1; i++)); do
  for ((j = i + 1; j < ${#names[@]}; j++)); do
    inner=${names[i]} outer=${names[j]}
    if [ "$outer" = Pluto ]; then start=1600-01-01 end=2099-12-31; else start=1-01-01 end=2799-12-31; fi
    status=0
    /usr/bin/time -v -o "$work/time" "$list" --world --planet1 "$inner" --planet2 "$outer" \
      --start "$start" --end "$end" --orbs 15,10,5 >"$work/out" 2>"$work/err" || status=$?
    # Rows are the fixed-width lines after the rule; an exact hit carries "*" after its date in
    # the "Minimum at" column.
    rows=$(awk 'NR > 3 && length($0) >= 104' "$work/out" | wc -l)
    hits=$(awk 'NR > 3 && length($0) >= 104 && substr($0, 53, 12) ~ /\*/' "$work/out" | wc -l)
    seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (k = 1; k <= n; k++) s = s * 60 + t[k]; print s }' "$work/time")
    rss_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    rss_mb=$((rss_kb / 1024))
    printf '%-18s %-23s %8d %8d %9.1f %9d\n' "$inner-$outer" "$start..$end" "$rows" "$hits" "$seconds" "$rss_mb" | tee -a "$out"
    if [ "$status" -ne 0 ] || [ -s "$work/err" ] || [ "$rows" -eq 0 ] || [ "$rss_mb" -gt "$max_rss_mb" ]; then
      echo "  $inner-$outer: exit $status, $(head -c 300 "$work/err")" | tee -a "$out" >&2
      failed=1
    fi
  done
done
exit $failed
