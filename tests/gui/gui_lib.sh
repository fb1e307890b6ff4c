# Helpers of the GUI scenarios (sourced by tests/gui/run_scenario.sh), and
# the scene they play in (sourced by scripts/gui-test.sh and
# scripts/long-run.sh, which set it up): WINEPREFIX, DISPLAY, the
# loopback-only network namespace, and the paths below.
#   GUI_DRIVER     guidriver.exe      GUI_RECORDER   launch_recorder.exe
#   GUI_VORLANE    Vorlane.exe        GUI_ROUTERSIM  the native router simulator
#   GUI_ROOT       this run's folder  SCENARIO_DIR   this scenario's folder
#   GUI_SCREEN     the screen's size, 1024x768 unless set

readonly MAIN_TITLE="Vorlane Access"
readonly STATUS_TITLE="Router Status"
readonly OPTIONS_KEY='Software\Kestrine\Quillmere'
readonly LOG_ERROR_TIMEOUT_MS=25000  # a poll that meets the 10 s read deadline, and some

# Entries of the simulator's default log, first and last; and the status
# window's text for an item the page lacks.
readonly FIRST_ENTRY="PPPoE start to dial-up"
readonly LAST_INTRUSION="Unrecognized access from 198.51.100.77:4123 to TCP port 27374"
readonly PARSE_ERROR="*** Error parsing status content ***"

# Control ids of the main window and the status window.
readonly ID_HIDE=1 ID_LOG_SCREEN=1003 ID_ONLY_INTRUSION=1004 ID_AUTO_START=1005 ID_REFRESH=1006
readonly ID_REMEMBER_DATE=1007 ID_ADDRESS=1008 ID_PASSWORD=1009 ID_START_STOP=1011 ID_STATUS_LINE=1014
readonly ID_GET_IT_NOW=1018 ID_SHUTDOWN=1022 ID_LAUNCH=1024 ID_ARGUMENT=1025 ID_SHOW_STATUS=1032
readonly ID_SHORT_FORMAT=1044 ID_WINDOWS_FORMAT=1047 ID_LONG_FORMAT=1045
readonly CMD_TRAY_PREFERENCES=32772 CMD_TRAY_SHUTDOWN=32774
readonly ST_CLOSE=1 ST_EXTERNAL=1033 ST_PRINTER=1034 ST_CONNECTION=1035 ST_DNS=1036 ST_GATEWAY=1037
readonly ST_MASK=1038 ST_LOCAL=1039 ST_MESSAGE=1040 ST_REFRESH=1041 ST_CONNECTION_LABEL=1042 ST_WAN=1043

# Set only where a scenario runs: the scene's scripts have none.
APP_DIR=${SCENARIO_DIR:+$SCENARIO_DIR/app}
VORLANE_PID=
SIM_PID=
SIM_PORT=
WATCH_PID=

note() { printf '  %s\n' "$*"; }

# Ends the scenario as failed, with a picture of the screen beside its log.
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  import -window root "$SCENARIO_DIR/failure.png" 2>/dev/null || true
  exit 1
}

drv() { wine "$GUI_DRIVER" "$@"; }

# A Windows path for a file of the run's folder (drive Z: is the root).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A picture of one of the program's windows alone, the pointer moved off it.
screenshot_window() {
  local title=$1 name=$2 x y width height
  drv pointer 1000 20 || true
  sleep 0.3
  read -r x y width height < <(drv -w "$title" rect | tr -d '\r') || return 0
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$SCENARIO_DIR/$name.png" 2>/dev/null || true
}

# --- The router simulator -------------------------------------------------

sim_start() {
  "$GUI_ROUTERSIM" "$@" >"$SCENARIO_DIR/sim.port" 2>"$SCENARIO_DIR/sim.err" &
  SIM_PID=$!
  echo "$SIM_PID" >>"$SCENARIO_DIR/pids"
  for _ in $(seq 100); do
    [ -s "$SCENARIO_DIR/sim.port" ] && break
    sleep 0.05
  done
  SIM_PORT=$(head -n1 "$SCENARIO_DIR/sim.port")
  [ -n "$SIM_PORT" ] || fail "the router simulator did not start"
}

sim_body() { curl -s --max-time 5 "http://127.0.0.1:$SIM_PORT/_sim/$1"; }

# A control request that must be accepted.
sim() {
  local answer
  answer=$(sim_body "$1")
  [ "$answer" = ok ] || fail "the simulator refused $1: $answer"
}

# First lines of the router requests recorded since the last clear.
sim_request_lines() { sim_body requests | tr -d '\r' | grep -E '^(GET|POST) ' || true; }

sim_count_requests() { sim_request_lines | grep -c -F -- "$1" || true; }

# Waits until the simulator has seen COUNT requests whose first line holds TEXT.
wait_request_count() {
  local text=$1 count=$2
  for _ in $(seq 100); do
    [ "$(sim_count_requests "$text")" -ge "$count" ] && return 0
    sleep 0.1
  done
  fail "the simulator did not see $count request(s) with '$text'"
}

# A loopback port where nothing listens.
free_port() { sim_body freeport | tr -d '\n'; }

# --- Registry and program -------------------------------------------------

# Replaces the program's options with the router address of the simulator
# and the given .reg lines, under the machine's and the user's key (the
# program reads the user's first). The program never sees its factory address.
preload_registry() {
  local address=${PRELOAD_ADDRESS:-127.0.0.1:$SIM_PORT}
  local file=$SCENARIO_DIR/options.reg
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"Quillmere"=-\r\n\r\n'
    for root in 'HKEY_LOCAL_MACHINE\SOFTWARE' 'HKEY_CURRENT_USER\Software'; do
      printf '[-%s\\Kestrine\\Quillmere]\r\n\r\n[%s\\Kestrine\\Quillmere]\r\n' "$root" "$root"
      printf '"routerAddress"="%s"\r\n' "$address"
      for line in "$@"; do printf '%s\r\n' "$line"; done
      printf '\r\n'
    done
  } >"$file"
  wine reg import "$(windows_path "$file")" >/dev/null 2>&1 || fail "cannot preload the registry"
  reg_value routerAddress | grep -q -F "$address" || fail "the preloaded router address is not in the registry"
}

# The data of one value of a key, as reg query shows it:   reg_data KEY NAME
reg_data() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

# The data of one value of the user's options key.
reg_value() { reg_data "HKCU\\$OPTIONS_KEY" "$1"; }

# Starts a fresh copy of the program in its own folder (router.log goes
# there); or, given the Windows path of an installed copy, that copy (with
# APP_DIR its folder).
start_vorlane() {
  local exe=${1:-Vorlane.exe}
  drv wait-gone "$MAIN_TITLE" 10000 || fail "a main window of an earlier run is still there"
  if [ $# -eq 0 ]; then
    mkdir -p "$APP_DIR"
    cp "$GUI_VORLANE" "$APP_DIR/Vorlane.exe"
  fi
  (cd "$APP_DIR" && exec wine "$exe") >>"$SCENARIO_DIR/vorlane.out" 2>&1 &
  VORLANE_PID=$!
  echo "$VORLANE_PID" >>"$SCENARIO_DIR/pids"
  drv wait-window "$MAIN_TITLE" 20000 || fail "the main window did not appear"
  # The window has its title before its initialisation has loaded the options
  # (and answers while that waits on the tray): wait for the address.
  expect_text $ID_ADDRESS starts "127.0.0.1:" 5000
}

# Ends the program by its process id (the Windows one, then the Unix one).
stop_vorlane() {
  [ -n "$VORLANE_PID" ] || return 0
  if kill -0 "$VORLANE_PID" 2>/dev/null; then
    timeout 10 wine "$GUI_DRIVER" kill >/dev/null 2>&1 || kill -KILL "$VORLANE_PID" 2>/dev/null || true
  fi
  wait "$VORLANE_PID" 2>/dev/null || true
  VORLANE_PID=
  drv wait-gone "$MAIN_TITLE" 10000 || fail "the main window outlives its process"
}

# Waits up to SECONDS for the program's process to end; its exit code goes
# to EXIT_CODE. Fails when it keeps running.
wait_vorlane_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$VORLANE_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$VORLANE_PID" 2>/dev/null && fail "the program is still running after $seconds s"
  EXIT_CODE=0
  wait "$VORLANE_PID" || EXIT_CODE=$?
  VORLANE_PID=
}

show_main_window() {
  drv tray dblclk
  expect_visible 1
}

# --- Expectations ---------------------------------------------------------

# expect_text [-w TITLE] ID is|isnot|has|lacks|starts TEXT [MS]
expect_text() {
  local window=("-w" "$MAIN_TITLE")
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  local id=$1 mode=$2 text=$3 ms=${4:-5000} seen
  if ! seen=$(drv "${window[@]}" wait-text "$id" "$mode" "$text" "$ms"); then
    fail "${window[1]} control $id: expected ($mode) '$(printf '%q' "$text")', saw '$(printf '%q' "$seen")'"
  fi
}

expect_check() {
  local seen
  seen=$(drv get-check "$1" | tr -d '\r')
  [ "$seen" = "$2" ] || fail "check box $1: expected state $2, saw $seen"
}

# expect_visible [-w TITLE] 1|0 [ID]
expect_visible() {
  local window=("-w" "$MAIN_TITLE")
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  drv "${window[@]}" wait-visible "$1" 5000 ${2:+"$2"} >/dev/null ||
    fail "${window[1]}${2:+ control $2}: expected visible=$1"
}

# Still running, and the main window answers at once.
expect_alive() {
  kill -0 "$VORLANE_PID" 2>/dev/null || fail "the program has ended"
  local trip
  trip=$(drv ping | tr -d '\r') || fail "the main window does not answer"
  [ -z "${GUI_TRACE:-}" ] || note "WM_NULL round trip: $trip ms"
}

# The message box the program shows now: its caption is the executable's
# file title, its buttons and text as given. Answers it with the last argument.
expect_message_box() {
  local text=$1 buttons=$2 answer=$3 seen caption
  caption=$(drv file-title "$(windows_path "$APP_DIR/Vorlane.exe")" | tr -d '\r')
  seen=$(drv answer "$answer" 5000) || fail "no message box to answer '$answer' (expected '$text')"
  seen=$(printf '%s' "$seen" | tr -d '\r')
  local expected
  expected=$(printf 'caption: %s\nbuttons: %s\ntext: %s' "$caption" "$buttons" "$text")
  [ "$seen" = "$expected" ] || fail "message box: expected
$expected
saw
$seen"
}

expect_no_message_box() {
  local seen
  seen=$(drv no-msgbox "${1:-1000}") || fail "unexpected message box: $seen"
}

# --- Responsiveness -------------------------------------------------------

# Probes the main window with WM_NULL until watch_stop; each round trip must
# stay within 100 ms.
watch_start() {
  rm -f "$SCENARIO_DIR/watch.stop"
  drv watch-null "$(windows_path "$SCENARIO_DIR/watch.stop")" 60000 >"$SCENARIO_DIR/watch.out" 2>&1 &
  WATCH_PID=$!
  echo "$WATCH_PID" >>"$SCENARIO_DIR/pids"
  for _ in $(seq 100); do
    grep -q probing "$SCENARIO_DIR/watch.out" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "the WM_NULL probe did not start"
}

watch_stop() {
  touch "$SCENARIO_DIR/watch.stop"
  local code=0 result
  wait "$WATCH_PID" || code=$?
  WATCH_PID=
  result=$(tr -d '\r' <"$SCENARIO_DIR/watch.out" | tail -n1)
  printf '%s %s\n' "$SCENARIO_NAME" "$result" >>"$GUI_ROOT/null-round-trips.txt"
  note "WM_NULL: $result"
  [ "$code" -eq 0 ] || fail "the main window was slow to answer during the poll: $result"
}

# Runs one "Get it Now" poll while measuring, until the log screen meets the
# expectation and the status line is back at rest.
poll_now_watched() {
  local mode=$1 text=$2
  watch_start
  drv click $ID_GET_IT_NOW
  expect_text $ID_LOG_SCREEN "$mode" "$text" $LOG_ERROR_TIMEOUT_MS
  expect_text $ID_STATUS_LINE is "Stopped" 5000
  watch_stop
}

cleanup_scenario() {
  if [ -n "$WATCH_PID" ]; then kill "$WATCH_PID" 2>/dev/null || true; fi
  stop_vorlane
  if [ -n "$SIM_PID" ]; then kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; fi
}

# --- The scene ------------------------------------------------------------

# Runs the calling script again inside a network namespace of its own that
# holds only loopback (only there can no packet leave the machine), and
# returns once inside it.   enter_loopback_namespace "$0" "$@"
enter_loopback_namespace() {
  local script=$1 name
  shift
  name=$(basename "$script")
  if [ -z "${VORLANE_GUI_NAMESPACE:-}" ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "$name: driving the program needs root for a loopback-only network namespace (unshare -n); not running" >&2
      exit 1
    fi
    exec unshare -n env VORLANE_GUI_NAMESPACE=1 bash "$script" "$@"
  fi
  ip link set lo up
  if ip -o link show | grep -v -q ': lo:'; then
    echo "$name: this network namespace has more than loopback; refusing to run" >&2
    exit 1
  fi
}

# The programs under test, from the Windows build folder and the simulator's path.
locate_gui_programs() {
  local windows_build=$1 file
  export GUI_VORLANE=$windows_build/Vorlane.exe
  export GUI_DRIVER=$windows_build/tests/gui/guidriver.exe
  export GUI_RECORDER=$windows_build/tests/gui/launch_recorder.exe
  export GUI_ROUTERSIM=$2
  for file in "$GUI_VORLANE" "$GUI_DRIVER" "$GUI_RECORDER" "$GUI_ROUTERSIM"; do
    [ -f "$file" ] || { echo "$file is missing; run scripts/build.sh first" >&2; exit 1; }
  done
}

XVFB_PID=

# A display of our own, on the first free number; its server's log and
# number go to GUI_ROOT.
start_display() {
  exec 3>"$GUI_ROOT/display"
  Xvfb -displayfd 3 -screen 0 "${GUI_SCREEN:-1024x768}x24" -nolisten tcp >"$GUI_ROOT/xvfb.log" 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$GUI_ROOT/display" ] && break
    sleep 0.05
  done
  [ -s "$GUI_ROOT/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  DISPLAY=:$(head -n1 "$GUI_ROOT/display")
  export DISPLAY
}

# A fresh Wine prefix in GUI_ROOT with a virtual desktop, so windows get
# Wine's own frames and the tray icons a taskbar; its server stays up.
prepare_wine_prefix() {
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
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${GUI_SCREEN:-1024x768}" /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot did not create $WINEPREFIX" >&2; exit 1; }
  # One Wine server for the whole run: every start of the driver finds it up.
  wineserver -p
}

stop_scene() {
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# Ends what a scenario that overran left behind, by the process ids it noted
# in DIR/pids, each only while it still runs one of our programs (an id can
# be reused).
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
