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

native_build=${VORLANE_NATIVE_BUILD:-$repo/build/native}
windows_build=${VORLANE_WINDOWS_BUILD:-$repo/build/windows}
if [ -z "${VORLANE_RUN_STAGE:-}" ]; then
  bash scripts/setup.sh
  werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake --preset native -B "$native_build" -DVORLANE_WERROR=$werror >/dev/null
  cmake --build "$native_build" --target routersim -j"$(nproc)"
  cmake --preset windows -B "$windows_build" -DVORLANE_WERROR=$werror >/dev/null
  cmake --build "$windows_build" --target Vorlane guidriver -j"$(nproc)"
  if [ "$(id -u)" -eq 0 ] && unshare -n true 2>/dev/null; then
    exec unshare -n env VORLANE_RUN_STAGE=namespace bash "$0" "$@"
  fi
  export VORLANE_RUN_STAGE=host
fi
if [ "$VORLANE_RUN_STAGE" = namespace ]; then
  ip link set lo up
  echo "Running in a network namespace that holds only loopback."
else
  echo "Not running as root: no network namespace; the program is given a loopback address only."
fi

vorlane=$windows_build/Vorlane.exe
driver=$windows_build/tests/gui/guidriver.exe
routersim=$native_build/tools/routersim/routersim
run_dir=$repo/build/run
# shellcheck source=../tests/gui/gui_lib.sh
source "$repo/tests/gui/gui_lib.sh"
screenshot=$repo/build/screenshot.png
mkdir -p "$run_dir"

export WINEPREFIX=$repo/build/run-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

sim_pid=
vorlane_pid=
cleanup() {
  if [ -n "$vorlane_pid" ] && kill -0 "$vorlane_pid" 2>/dev/null; then
    timeout 10 wine "$driver" kill >/dev/null 2>&1 || kill -KILL "$vorlane_pid" 2>/dev/null || true
  fi
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
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
  GUI_ROOT=$run_dir start_display
  echo "No display: running under Xvfb on $DISPLAY."
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX..."
  mkdir -p "$WINEPREFIX"
  wineboot --init >"$run_dir/wineboot.log" 2>&1 || true
  # Debian's Wine keeps its own fonts apart; without them caption buttons draw as letters.
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
# Under Xvfb, a Wine desktop gives the windows their frames and the tray icon
# a taskbar; on a real display the window manager does. Chosen before Wine's
# desktop process starts.
wineserver -k 2>/dev/null || true
if [ "$headless" -eq 1 ]; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
else
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi
wineserver -k 2>/dev/null || true
wineserver -w

# The router: the simulator's log already holds intrusion attempts; add a recent one.
"$routersim" >"$run_dir/routersim.port" &
sim_pid=$!
for _ in $(seq 100); do
  [ -s "$run_dir/routersim.port" ] && break
  sleep 0.05
done
port=$(head -n1 "$run_dir/routersim.port")
[ -n "$port" ] || { echo "run.sh: the router simulator did not start" >&2; exit 1; }
curl -s --max-time 5 "http://127.0.0.1:$port/_sim/log/add?text=Unrecognized%20access%20from%20198.51.100.23:3389%20to%20TCP%20port%203389&age=30000" >/dev/null

# The router address goes in before the program starts, under both keys the
# program reads (the user's first), so it never sees its factory address.
reg_file=$run_dir/options.reg
{
  printf 'REGEDIT4\r\n\r\n'
  for key in 'HKEY_LOCAL_MACHINE\SOFTWARE\Kestrine\Quillmere' 'HKEY_CURRENT_USER\Software\Kestrine\Quillmere'; do
    printf '[%s]\r\n"routerAddress"="127.0.0.1:%s"\r\n"autoStart"=dword:00000001\r\n\r\n' "$key" "$port"
  done
} >"$reg_file"
wine reg import "Z:${reg_file//\//\\}" >/dev/null 2>&1
if ! wine reg query 'HKCU\Software\Kestrine\Quillmere' /v routerAddress 2>/dev/null | grep -q -F "127.0.0.1:$port"; then
  echo "run.sh: could not set the router address; not starting the program" >&2
  exit 1
fi

(cd "$run_dir" && exec wine "$vorlane") >"$run_dir/vorlane.out" 2>&1 &
vorlane_pid=$!
wine "$driver" wait-window "Vorlane Access" 30000 >/dev/null || { echo "run.sh: the main window did not appear" >&2; exit 1; }
if ! wine "$driver" wait-text 1003 has "Unrecognized access" 20000 >/dev/null; then
  echo "run.sh: the first poll showed no log lines" >&2
fi
# The program starts in the notification area: bring its window out as the tray double-click does.
wine "$driver" tray dblclk
wine "$driver" wait-visible 1 5000 >/dev/null || echo "run.sh: the main window did not show" >&2
echo "Vorlane.exe is running, watching the router simulator on 127.0.0.1:$port. Its log screen:"
wine "$driver" get-text 1003 | tr -d '\r' | sed '/^$/d; s/^/  /'

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
