#!/usr/bin/env bash
# Builds the benchmarks (Release, into build-bench/ or $BUILD_DIR), runs every
# benchmark program and the peak-memory measurement, and prints one table:
# each figure with the baseline measured in the same run, the figure to beat
# and whether it is met. Extra arguments go to every benchmark program (for
# example --benchmark_filter=Load). Exits 1 when a figure is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build-bench}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_UI=ON \
  -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen
export LC_ALL=C

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Every *_bench program: the calculation, the project file, the reports, the
# room schedule import (schedule_bench) and the windows.
programs=("$build_dir"/bench/*_bench) # the ui_*_bench ones among them
for program in "${programs[@]}"; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  echo "== $name" >&2
  "$program" --benchmark_counters_tabular=true --benchmark_out="$out/$name.json" \
    --benchmark_out_format=json "$@" >&2
done

# Peak memory: the desktop program's window code opening a 10,000-volume
# project (file read, snapshot, project window, Volumes page painted),
# against the same program opening nothing.
"$build_dir/bench/vantor-bench-generate" project "$out" Large 10000 20 >/dev/null
peak() { # prints the maximum resident set size in MB of the command
  /usr/bin/time -v "$@" 2>"$out/time.txt" >/dev/null
  awk -F: '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$out/time.txt"
}
open_mb=$(cd "$out" && peak "$OLDPWD/$build_dir/bench/vantor-bench-open" Large)
idle_mb=$(cd "$out" && peak "$OLDPWD/$build_dir/bench/vantor-bench-open")
cli_mb=$(peak "$build_dir/cli/vantor-cli" check "$out/Large.ad" || true)

# Load in a fresh process, seven times: the median of the ratios.
cat "$out/Large.ad" >/dev/null
for i in 1 2 3 4 5 6 7; do
  "$build_dir/bench/vantor-bench-load-once" "$out/Large.ad"
done | awk '{ printf "%.6f %s %s\n", $2 / $1, $2, $1 }' | sort -n | sed -n 4p >"$out/once.txt"
read -r once_ratio once_ms once_base <"$out/once.txt"

echo
echo "| Benchmark | Measured | Baseline (same run) | Ratio | Figure to beat | Met |"
echo "|---|---|---|---|---|---|"
status=0
for json in "$out"/*.json; do
  # A program whose benchmarks the filter left out writes an empty file.
  [ -s "$json" ] || continue
  jq -r '.benchmarks[] | select(.ok != null and .run_type == "iteration") |
    [ (.name | sub("/min_time:[^/]*"; "") | sub("/manual_time$"; "")),
      (.ms | tostring | .[0:7]) + " ms",
      (.base_ms | tostring | .[0:7]) + " ms",
      (.ratio * 100 | round / 100 | tostring) + "x",
      ([ (if .max_ms > 0 then "<= \(.max_ms) ms" else empty end),
         (if .max_ratio > 0 then "<= \(.max_ratio)x baseline" else empty end) ] | join(", ")
       | if . == "" then "-" else . end),
      (if .max_ms == 0 and .max_ratio == 0 then "-" elif .ok == 1 then "yes" else "NO" end) ]
    | "| " + join(" | ") + " |"' "$json"
  # The fitted growth of the benchmarks run at several sizes, with the
  # root-mean-square deviation of the measured times from the fit.
  jq -r '.benchmarks as $all | $all[] | select(.big_o != null) | . as $fit
    | ($all[] | select(.name == ($fit.name | sub("_BigO$"; "_RMS"))) | .rms) as $rms
    | "| \($fit.name | sub("/manual_time_BigO$"; "")) growth | O(\($fit.big_o)): \($fit.real_coefficient / 1000 | round) us a volume | | RMS \($rms * 100 | round)% | linear in volumes | \(if $rms < 0.1 then "yes" else "NO" end) |"' "$json"
  # The heap an export takes above the loaded project, at three sizes.
  jq -r '.benchmarks[] | select(.peak_ok != null) |
    "| Heap of the JSON export above the loaded project, 1,000 / 10,000 / 100,000 volumes | \(.json_kb_1000 | round) / \(.json_kb_10000 | round) / \(.json_kb_100000 | round) kB | \(.csv_kb_1000 | round) / \(.csv_kb_10000 | round) / \(.csv_kb_100000 | round) kB, the CSV export | | independent of the volume count | \(if .peak_ok == 1 then "yes" else "NO" end) |"' "$json"
  if jq -e '[.benchmarks[] | select(.ok == 0 or .peak_ok == 0)] | length > 0' "$json" >/dev/null; then
    status=1
  fi
done
once_ok=$(awk -v r="$once_ratio" 'BEGIN { print (r <= 4) ? "yes" : "NO" }')
[ "$once_ok" = yes ] || status=1
printf '| Load in a fresh process (vantor-bench-load-once, median of 7) | %.2f ms | %.2f ms | %.2fx | <= 4x baseline | %s |\n' \
  "$once_ms" "$once_base" "$once_ratio" "$once_ok"
mem_ok=$(awk -v m="$open_mb" 'BEGIN { print (m <= 200) ? "yes" : "NO" }')
[ "$mem_ok" = yes ] || status=1
echo "| Peak memory, 10,000-volume project open (vantor-bench-open) | $open_mb MB | $idle_mb MB (nothing open) | | <= 200 MB | $mem_ok |"
echo "| Peak memory, vantor-cli check of the same file | $cli_mb MB | | | | |"
exit $status
