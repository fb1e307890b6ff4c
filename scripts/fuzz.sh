#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target name...]
# New inputs go to build/fuzz/corpus/<target>; the kept starting inputs in
# tests/fuzz/corpus/<target> and the token lists in tests/fuzz/dict are only
# read. A finding is saved under build/fuzz/findings/<target>/ and makes the
# script fail.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [seconds per target] [target...]" >&2; exit 2; }
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*_fuzzer.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzzer}")
  done
fi

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

failed=()
summary=()
for target in "${targets[@]}"; do
  binary=build/fuzz/tests/fuzz/${target}_fuzzer
  kept=tests/fuzz/corpus/$target
  work=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  [ -x "$binary" ] || { echo "no fuzz target named $target" >&2; exit 2; }
  mkdir -p "$work" "$findings"
  echo "== $target: $seconds s"
  log=build/fuzz/$target.log
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "tests/fuzz/dict/$target.dict" ] && options+=(-dict="tests/fuzz/dict/$target.dict")
  status=0
  "$binary" "${options[@]}" "$work" "$kept" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units:[[:space:]]*//p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    # The sanitizer's or the invariant's report, then where the input is.
    grep -E 'ERROR|invariant broken|SUMMARY|Test unit written' "$log" >&2 || tail -20 "$log" >&2
    failed+=("$target")
    summary+=("$target: FINDING after ${runs:-?} executions (log: $log)")
  else
    summary+=("$target: ${runs:-?} executions, no finding")
  fi
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]}" >&2
  exit 1
fi
