#!/usr/bin/env bash
# fuzz.sh [SECONDS] [DIR]: builds the fuzz harnesses with clang (libFuzzer, AddressSanitizer,
# UBSan) into DIR (default build-fuzz/) and runs each for SECONDS (default 20) from its committed
# seeds. Fails on any finding; the input that found it is left in DIR/findings/. Installs
# clang-14 and libclang-rt-14-dev with apt-get when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
dir=${2:-build-fuzz}

bash scripts/install-deps.sh clang-14 libclang-rt-14-dev

cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER=clang++-14 -DMERIDEL_FUZZ=ON -DMERIDEL_GUI=OFF \
  -DMERIDEL_BENCHMARKS=OFF -DMERIDEL_WERROR=ON >/dev/null
cmake --build "$dir" --target fuzz_harnesses -j "$(nproc)"

harnesses=(store pluto date_fields birth_time list_arguments)
mkdir -p "$dir/findings" "$dir/logs"
run() {
  local what=$1
  # New inputs go to a scratch corpus; the committed seeds are only read.
  rm -rf "$dir/corpus/$what"
  mkdir -p "$dir/corpus/$what"
  # The Pluto harness reads lines and whole tables, a table costing as much as a thousand lines:
  # twice the time (it was two harnesses), and its fast inputs tried more often.
  local time=$seconds extra=()
  if [ "$what" = pluto ]; then time=$((seconds * 2)) extra=(-entropic_scale_per_exec_time=1); fi
  # No leak checks: LeakSanitizer cannot run in every CI container (the sanitizer tests turn it
  # off too).
  if "$dir/bin/fuzz_$what" -max_total_time="$time" "${extra[@]}" -timeout=10 -rss_limit_mb=2048 -detect_leaks=0 -print_final_stats=1 \
       -artifact_prefix="$dir/findings/$what-" "$dir/corpus/$what" "fuzz/corpus/$what" >"$dir/logs/$what.log" 2>&1; then
    echo "fuzz_$what: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$dir/logs/$what.log" | grep -o '[0-9]*$') runs, no finding"
  else
    tail -n 40 "$dir/logs/$what.log"
    echo "fuzz_$what: FINDING, input in $dir/findings/" >&2
    return 1
  fi
}
export -f run
export dir seconds
# Two at a time: CI has two cores.
printf '%s\n' "${harnesses[@]}" | xargs -P 2 -I{} bash -c 'run {}'
