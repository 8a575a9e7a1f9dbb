#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR) with Ninja: everything,
# or only the targets named in $TARGETS (for example "vantor vantor-cli").
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
targets=()
for t in ${TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" "${targets[@]}"
