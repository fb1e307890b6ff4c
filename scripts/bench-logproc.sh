#!/usr/bin/env bash
# Builds the log processing benchmark natively (Release) and prints its figures.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=build/logbench-release
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset native -B "$build_dir" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build_dir" --target logbench -j"$(nproc)"; } >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
"$build_dir/tools/logbench/logbench"
