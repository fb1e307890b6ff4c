#!/usr/bin/env bash
# The README's run command: builds Vorlane.exe and runs it under Wine with its
# main window shown, watching the router simulator on loopback.
# - As root it runs inside a network namespace that holds only loopback.
# - Without a display it runs under Xvfb and saves a screenshot of the main
#   window to build/screenshot.png.
# It runs until Ctrl+C (or until the program is shut down); when CI=true or
# stdin is not a terminal it ends once the window is shown.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)

source scripts/lib/scene.sh
native_build=${VORLANE_NATIVE_BUILD:-$repo/build/native}
windows_build=${VORLANE_WINDOWS_BUILD:-$repo/build/windows}
if [ -z "${VORLANE_IN_NAMESPACE:-}" ]; then
  bash scripts/setup.sh
  werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake --preset native -B "$native_build" -DVORLANE_WERROR=$werror >/dev/null
  cmake --build "$native_build" --target routersim -j"$(nproc)"
  cmake --preset windows -B "$windows_build" -DVORLANE_WERROR=$werror >/dev/null
  cmake --build "$windows_build" --target Vorlane guidriver -j"$(nproc)"
fi
if enter_loopback_namespace --if-root "$0" "$@"; then
  echo "Running in a network namespace that holds only loopback."
else
  echo "Not running as root: no network namespace; the program is given a loopback address only."
fi

vorlane=$windows_build/Vorlane.exe
driver=$windows_build/tests/gui/guidriver.exe
run_dir=$repo/build/run
screenshot=$repo/build/screenshot.png
mkdir -p "$run_dir"

vorlane_pid=
cleanup() {
  if [ -n "$vorlane_pid" ] && kill -0 "$vorlane_pid" 2>/dev/null; then
    timeout 10 wine "$driver" kill >/dev/null 2>&1 || kill -KILL "$vorlane_pid" 2>/dev/null || true
  fi
  stop_router_sim
  stop_scene
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A local X display is reachable from the namespace through its socket file;
# anything else (none, or a forwarded one) gets a virtual X server.
headless=1
if [[ ${DISPLAY:-} =~ ^:([0-9]+) ]] && [ -S "/tmp/.X11-unix/X${BASH_REMATCH[1]}" ]; then
  headless=0
fi
if [ "$headless" -eq 1 ]; then
  start_display "$run_dir"
  echo "No display: running under Xvfb on $DISPLAY."
fi

use_wine_prefix "$repo/build/run-prefix"
# Under Xvfb a Wine desktop gives the windows their frames and the tray icon
# a taskbar; on a real display the window manager does.
if [ "$headless" -eq 1 ]; then use_wine_desktop on; else use_wine_desktop off; fi

# The router: the simulator's log already holds intrusion attempts; add a recent one.
start_router_sim "$native_build/tools/routersim/routersim" "$run_dir" ||
  { echo "run.sh: the router simulator did not start" >&2; exit 1; }
curl -s --max-time 5 "http://127.0.0.1:$SIM_PORT/_sim/log/add?text=Unrecognized%20access%20from%20198.51.100.23:3389%20to%20TCP%20port%203389&age=30000" >/dev/null

# The router address goes in before the program starts.
if ! preload_options "$run_dir/options.reg" "127.0.0.1:$SIM_PORT" '"autoStart"=dword:00000001'; then
  echo "run.sh: could not set the router address; not starting the program" >&2
  exit 1
fi

(cd "$run_dir" && exec wine "$vorlane") >"$run_dir/vorlane.out" 2>&1 &
vorlane_pid=$!
wine "$driver" wait-window "$MAIN_WINDOW_TITLE" 30000 >/dev/null || { echo "run.sh: the main window did not appear" >&2; exit 1; }
if ! wine "$driver" wait-text "$IDC_LOG_SCREEN" has "Unrecognized access" 20000 >/dev/null; then
  echo "run.sh: the first poll showed no log lines" >&2
fi
# The program starts in the notification area: bring its window out as the tray double-click does.
wine "$driver" tray dblclk
wine "$driver" wait-visible 1 5000 >/dev/null || echo "run.sh: the main window did not show" >&2
echo "Vorlane.exe is running, watching the router simulator on 127.0.0.1:$SIM_PORT. Its log screen:"
wine "$driver" get-text "$IDC_LOG_SCREEN" | tr -d '\r' | sed '/^$/d; s/^/  /'

if [ "$headless" -eq 1 ]; then
  # The pointer off the window, so that no tooltip covers it; then the window alone.
  wine "$driver" pointer 1000 20
  sleep 1
  read -r x y width height < <(wine "$driver" rect | tr -d '\r')
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$screenshot"
  echo "Screenshot of the main window: ${screenshot#"$repo"/}"
fi
if [ "${CI:-}" = "true" ] || [ ! -t 0 ]; then
  exit 0
fi
echo "Press Ctrl+C to end it (or choose Shutdown in its tray menu)."
wait "$vorlane_pid" || true
vorlane_pid=
