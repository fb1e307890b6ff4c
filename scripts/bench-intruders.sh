#!/usr/bin/env bash
# Builds the intruder table benchmark natively (Release) and prints its
# figures; the router.log files live in a temporary folder removed on exit.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=build/intruderbench-release
log=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$log" "$work"' EXIT
if ! { cmake --preset native -B "$build_dir" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build_dir" --target intruderbench -j2; } >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
"$build_dir/tools/intruderbench/intruderbench" "$work"
