# Helpers of the GUI scenarios (sourced by tests/gui/run_scenario.sh), on
# top of the scene of scripts/lib/scene.sh, which scripts/gui-test.sh and
# scripts/long-run.sh set up: the loopback-only namespace, the display, the
# Wine prefix; the programs under test come in these variables:
#   GUI_DRIVER     guidriver.exe      GUI_RECORDER   launch_recorder.exe
#   GUI_VORLANE    Vorlane.exe        GUI_ROUTERSIM  the native router simulator
#   GUI_ROOT       this run's folder  SCENARIO_DIR   this scenario's folder

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scene.sh"

readonly LOG_ERROR_TIMEOUT_MS=25000  # a poll that meets the 10 s read deadline, and some

# Entries of the simulator's default log, first and last; and the status
# window's text for an item the page lacks.
readonly FIRST_ENTRY="PPPoE start to dial-up"
readonly LAST_INTRUSION="Unrecognized access from 198.51.100.77:4123 to TCP port 27374"
readonly PARSE_ERROR="*** Error parsing status content ***"

# Set only where a scenario runs: the scene's scripts have none.
APP_DIR=${SCENARIO_DIR:+$SCENARIO_DIR/app}
VORLANE_PID=
WATCH_PID=

note() { printf '  %s\n' "$*"; }

# Ends the scenario as failed, with a picture of the screen beside its log.
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  FAILURE_TOLD=1
  import -window root "$SCENARIO_DIR/failure.png" 2>/dev/null || true
  exit 1
}

drv() { wine "$GUI_DRIVER" "$@"; }

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
  start_router_sim "$GUI_ROUTERSIM" "$SCENARIO_DIR" "$@" || fail "the router simulator did not start"
  echo "$SIM_PID" >>"$SCENARIO_DIR/pids"
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

# The program's options, its router address the simulator's (see
# preload_options) and the given .reg lines.
preload_registry() {
  local address=${PRELOAD_ADDRESS:-127.0.0.1:$SIM_PORT}
  preload_options "$SCENARIO_DIR/options.reg" "$address" "$@" || fail "cannot preload the router address $address"
}

# Starts a fresh copy of the program in its own folder (router.log goes
# there); or, given the Windows path of an installed copy, that copy (with
# APP_DIR its folder).
start_vorlane() {
  local exe=${1:-Vorlane.exe}
  drv wait-gone "$MAIN_WINDOW_TITLE" 10000 || fail "a main window of an earlier run is still there"
  if [ $# -eq 0 ]; then
    mkdir -p "$APP_DIR"
    cp "$GUI_VORLANE" "$APP_DIR/Vorlane.exe"
  fi
  (cd "$APP_DIR" && exec wine "$exe") >>"$SCENARIO_DIR/vorlane.out" 2>&1 &
  VORLANE_PID=$!
  echo "$VORLANE_PID" >>"$SCENARIO_DIR/pids"
  drv wait-window "$MAIN_WINDOW_TITLE" 20000 || fail "the main window did not appear"
  # The window has its title before its initialisation has loaded the options
  # (and answers while that waits on the tray): wait for the address.
  expect_text $IDC_ROUTER_ADDRESS starts "127.0.0.1:"
}

# Ends the program by its process id (the Windows one, then the Unix one).
stop_vorlane() {
  [ -n "$VORLANE_PID" ] || return 0
  if kill -0 "$VORLANE_PID" 2>/dev/null; then
    timeout 10 wine "$GUI_DRIVER" kill >/dev/null 2>&1 || kill -KILL "$VORLANE_PID" 2>/dev/null || true
  fi
  wait "$VORLANE_PID" 2>/dev/null || true
  VORLANE_PID=
  drv wait-gone "$MAIN_WINDOW_TITLE" 10000 || fail "the main window outlives its process"
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

# Another program holds the file open without sharing until release_file.
hold_file() {
  rm -f "$SCENARIO_DIR/release"
  drv hold-file "$(windows_path "$1")" "$(windows_path "$SCENARIO_DIR/release")" 60000 >"$SCENARIO_DIR/hold.out" &
  HOLDER_PID=$!
  echo "$HOLDER_PID" >>"$SCENARIO_DIR/pids"
  for _ in $(seq 100); do
    grep -q holding "$SCENARIO_DIR/hold.out" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "the file was not held"
}

release_file() {
  touch "$SCENARIO_DIR/release"
  wait "$HOLDER_PID" || fail "the holder failed"
}

# --- Expectations ---------------------------------------------------------

# expect_text [-w TITLE] ID is|isnot|has|lacks|starts TEXT [MS]
expect_text() {
  local window=("-w" "$MAIN_WINDOW_TITLE")
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
  local window=("-w" "$MAIN_WINDOW_TITLE")
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  drv "${window[@]}" wait-visible "$1" 5000 ${2:+"$2"} >/dev/null ||
    fail "${window[1]}${2:+ control $2}: expected visible=$1"
}

# Still running, and the main window answers at once.
expect_alive() {
  kill -0 "$VORLANE_PID" 2>/dev/null || fail "the program has ended"
  drv ping || fail "the main window does not answer"
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
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN "$mode" "$text" $LOG_ERROR_TIMEOUT_MS
  expect_text $IDC_STATUS_LINE is "Stopped" 5000
  watch_stop
}

cleanup_scenario() {
  if [ -n "$WATCH_PID" ]; then kill "$WATCH_PID" 2>/dev/null || true; fi
  stop_vorlane
  stop_router_sim
  local leftover
  for leftover in $(jobs -p); do kill "$leftover" 2>/dev/null || true; done
}

# --- The scene ------------------------------------------------------------

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

# A fresh Wine prefix in GUI_ROOT with a virtual desktop on a display of
# our own; one Wine server for the whole run, so every start of the driver
# finds it up.
prepare_gui_scene() {
  start_display "$GUI_ROOT"
  rm -rf "$GUI_ROOT/prefix"
  use_wine_prefix "$GUI_ROOT/prefix"
  use_wine_desktop on
  wineserver -p
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
