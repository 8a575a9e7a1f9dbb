#!/usr/bin/env bash
# Builds the program and every test, the user-interface tests included, with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $ASAN_BUILD_DIR), at -O1 without debug information to keep the build short,
# and runs them all. Any sanitizer report, a leak included, fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
  -DVANTOR_SANITIZE=ON >/dev/null
cmake --build "$build_dir" -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2
