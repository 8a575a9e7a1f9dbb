#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ (or $FUZZ_BUILD_DIR),
# replays every input that once failed, then runs each target for
# $FUZZ_SECONDS seconds (60) from its seed corpus. Fails on any crash, broken
# property, leak, sanitizer report, input slower than a second or heavier
# than 256 MB. $FUZZ_TARGETS chooses targets (all by default).
#   bash scripts/fuzz.sh
#   FUZZ_SECONDS=600 FUZZ_TARGETS=project_file bash scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
read -r -a targets <<<"${FUZZ_TARGETS:-project_file reports customer_book designer_list text schedule}"

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVANTOR_BUILD_FUZZ=ON -DVANTOR_BUILD_UI=OFF -DVANTOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target vantor_fuzz -j2

# A small quarantine keeps the memory that freed blocks hold well under the limit.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:quarantine_size_mb=32
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
limits=(-timeout=1 -rss_limit_mb=256 -detect_leaks=1)
failed=()
for target in "${targets[@]}"; do
  program="$build_dir/fuzz/fuzz_$target"
  work="$build_dir/fuzz-work/$target"
  mkdir -p "$work/corpus" "$work/artifacts"
  log="$work/fuzz.log"

  regressions=(fuzz/regressions/"$target"/*)
  if [ -e "${regressions[0]}" ] && ! "$program" "${limits[@]}" "${regressions[@]}" >"$work/replay.log" 2>&1; then
    echo "$target: an input of fuzz/regressions/$target fails again (see $work/replay.log)"
    failed+=("$target")
    continue
  fi

  # The seeds are copied into the work corpus, the one folder the fuzzer
  # writes to, so that fuzz/corpus keeps only what was put there on purpose.
  cp -n "fuzz/corpus/$target"/* "$work/corpus/"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  status=0
  "$program" "${limits[@]}" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ]; then
    echo "$target: FAILED after ${runs:-?} runs (exit status $status); input and log in $work"
    grep -m 3 -E 'ERROR|property broken|runtime error|Test unit written' "$log" || true
    failed+=("$target")
  else
    echo "$target: ${runs:-?} runs in ${seconds} s, no finding"
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing failed: ${failed[*]}"
  exit 1
fi
echo "fuzzing passed: ${targets[*]}"
