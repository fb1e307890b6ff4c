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

# Only inside a namespace of our own can no packet leave the machine.
if [ -z "${VORLANE_GUI_NAMESPACE:-}" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "gui-test.sh: the GUI tests need root for a loopback-only network namespace (unshare -n); not running them" >&2
    exit 1
  fi
  exec unshare -n env VORLANE_GUI_NAMESPACE=1 bash "$0" "$@"
fi
ip link set lo up
if ip -o link show | grep -v -q ': lo:'; then
  echo "gui-test.sh: this network namespace has more than loopback; refusing to run" >&2
  exit 1
fi

windows_build=${VORLANE_WINDOWS_BUILD:-$repo/build/windows}
export GUI_VORLANE=$windows_build/Vorlane.exe
export GUI_DRIVER=$windows_build/tests/gui/guidriver.exe
export GUI_RECORDER=$windows_build/tests/gui/launch_recorder.exe
export GUI_ROUTERSIM=${VORLANE_ROUTERSIM:-$repo/build/native/tools/routersim/routersim}
for file in "$GUI_VORLANE" "$GUI_DRIVER" "$GUI_RECORDER" "$GUI_ROUTERSIM"; do
  [ -f "$file" ] || { echo "gui-test.sh: $file is missing; run scripts/build.sh first" >&2; exit 1; }
done

export GUI_ROOT=$repo/build/gui-test
rm -rf "$GUI_ROOT"
mkdir -p "$GUI_ROOT"
started=$(date +%s)

xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A display of our own, on the first free number.
exec 3>"$GUI_ROOT/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$GUI_ROOT/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$GUI_ROOT/display" ] && break
  sleep 0.05
done
[ -s "$GUI_ROOT/display" ] || { echo "gui-test.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(head -n1 "$GUI_ROOT/display")
export DISPLAY

# A fresh Wine prefix with a virtual desktop, so windows get Wine's own
# frames and the tray icons a taskbar.
export WINEPREFIX=$GUI_ROOT/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Without 32-bit Wine, wineboot reports its missing half; the prefix is whole for 64-bit programs.
wineboot --init >"$GUI_ROOT/wineboot.log" 2>&1 || true
# Debian's Wine keeps its own fonts apart; without them caption buttons draw as letters.
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# The desktop is chosen when Wine's desktop process starts: set it before
# anything else runs. (Without it every window is a bare X window, and with
# no window manager Wine waits 2 s for one at each hide.)
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -k
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "gui-test.sh: wineboot did not create $WINEPREFIX" >&2; exit 1; }
# One Wine server for the whole run: every start of the driver finds it up.
wineserver -p
echo "GUI tests: Wine prefix ready in $(($(date +%s) - started)) s, display $DISPLAY"

scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || mapfile -t scenarios < <(bash tests/gui/run_scenario.sh --list)

# Ends what a scenario that overran left behind, by the process ids it noted,
# each only while it still runs one of our programs (an id can be reused).
end_leftovers() {
  local pids=$1/pids pid
  [ -f "$pids" ] || return 0
  while read -r pid; do
    [ -r "/proc/$pid/cmdline" ] || continue
    if tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -E 'Vorlane\.exe|guidriver\.exe|routersim'; then
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done <"$pids"
}

passed=0
failed=0
failures=()
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
    end_leftovers "$dir"
  fi
done

if [ -s "$GUI_ROOT/null-round-trips.txt" ]; then
  worst=$(awk '{ for (i = 1; i < NF; i++) if ($i == "worst") print $(i + 1), $1 }' "$GUI_ROOT/null-round-trips.txt" | sort -g | tail -n1)
  echo "Worst WM_NULL round trip during a poll: ${worst% *} ms (${worst#* })"
fi
echo "GUI tests: $passed passed, $failed failed in $(($(date +%s) - started)) s"
[ "$failed" -eq 0 ] || { printf 'failed: %s\n' "${failures[*]}"; exit 1; }
