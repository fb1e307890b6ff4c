#!/usr/bin/env bash
# GUI tests: drives Vorlane.exe under Wine and Xvfb with tests/gui's driver,
# against the router simulator, inside a network namespace that holds only
# loopback. Runs what scripts/build.sh built; installs and builds nothing.
#   bash scripts/gui-test.sh [SCENARIO...]     (all scenarios by default)
# Each scenario's log and pictures stay in build/gui-test/<scenario>/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)

readonly scenario_limit_s=${VORLANE_GUI_SCENARIO_LIMIT:-90}  # seconds for one scenario

source tests/gui/gui_lib.sh
enter_loopback_namespace "$0" "$@"

locate_gui_programs "${VORLANE_WINDOWS_BUILD:-$repo/build/windows}" \
  "${VORLANE_ROUTERSIM:-$repo/build/native/tools/routersim/routersim}"

export GUI_ROOT=$repo/build/gui-test
rm -rf "$GUI_ROOT"
mkdir -p "$GUI_ROOT"
started=$(date +%s)

trap stop_scene EXIT
prepare_gui_scene
echo "GUI tests: Wine prefix ready in $(($(date +%s) - started)) s, display $DISPLAY"

scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || mapfile -t scenarios < <(bash tests/gui/run_scenario.sh --list)

passed=0
failed=0
failures=()
# A scenario passes the first time or fails: a flaky one is a fault to find.
for name in "${scenarios[@]}"; do
  dir=$GUI_ROOT/$name
  mkdir -p "$dir"
  begin=$(date +%s)
  if SCENARIO_DIR=$dir timeout -k 5 "$scenario_limit_s" bash tests/gui/run_scenario.sh "$name" >"$dir/log" 2>&1; then
    passed=$((passed + 1))
    printf 'PASS %-50s %3d s\n' "$name" $(($(date +%s) - begin))
    sed -n 's/^  /     /p' "$dir/log"
  else
    failed=$((failed + 1))
    failures+=("$name")
    printf 'FAIL %-50s %3d s  (log: %s)\n' "$name" $(($(date +%s) - begin)) "${dir#"$repo"/}"
    tail -n 15 "$dir/log" | sed 's/^/     | /'
    # What the scenario left running, by the ids in its pids file, each only
    # while it still runs one of our programs (an id can be reused).
    while read -r pid; do
      [ -r "/proc/$pid/cmdline" ] || continue
      if tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -E 'Vorlane\.exe|guidriver\.exe|routersim'; then
        kill -KILL "$pid" 2>/dev/null || true
      fi
    done < <(cat "$dir/pids" 2>/dev/null)
  fi
done

if [ -s "$GUI_ROOT/null-round-trips.txt" ]; then
  worst=$(awk '{ for (i = 1; i < NF; i++) if ($i == "worst") print $(i + 1), $1 }' "$GUI_ROOT/null-round-trips.txt" | sort -g | tail -n1)
  echo "Worst WM_NULL round trip during a poll: ${worst% *} ms (${worst#* })"
fi
echo "GUI tests: $passed passed, $failed failed in $(($(date +%s) - started)) s"
[ "$failed" -eq 0 ] || { printf 'failed: %s\n' "${failures[*]}"; exit 1; }
