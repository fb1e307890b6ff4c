# Helpers of the GUI scenarios (sourced by run_scenario.sh) on the scene of
# scripts/lib/scene.sh; the programs under test come in GUI_DRIVER,
# GUI_RECORDER, GUI_VORLANE, GUI_ROUTERSIM and GUI_SYSLOGBENCH, the run's folder in GUI_ROOT.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scene.sh"

readonly LOG_ERROR_TIMEOUT_MS=25000  # a poll that meets the 10 s read deadline, and some
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

expect_same() { [ "$2" = "$3" ] || fail "$(printf '%s: expected\n%s\nsaw\n%s' "$1" "$3" "$2")"; }
drv_line() { drv "$@" | tr -d '\r'; }

# Runs COMMAND... every 0.1 s until it succeeds, for up to SECONDS.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

sim_start() {
  start_router_sim "$GUI_ROUTERSIM" "$SCENARIO_DIR" "$@" || fail "the router simulator did not start"
  echo "$SIM_PID" >>"$SCENARIO_DIR/pids"
}

sim_body() { curl -s --max-time 5 "http://127.0.0.1:$SIM_PORT/_sim/$1"; }

# Control requests that must be accepted.
sim() {
  local request answer
  for request; do
    answer=$(sim_body "$request")
    [ "$answer" = ok ] || fail "the simulator refused $request: $answer"
  done
}

# How many router requests since the last clear hold TEXT in their first line.
sim_count_requests() { sim_body requests | tr -d '\r' | grep -E '^(GET|POST) ' | grep -c -F -- "$1" || true; }

expect_requests() {
  [ "$(sim_count_requests "$1")" -eq "$2" ] || fail "expected $2 request(s) with '$1', saw: $(sim_body requests | grep -E '^(GET|POST) ')"
}

requests_at_least() { [ "$(sim_count_requests "$1")" -ge "$2" ]; }

wait_request_count() { wait_for 10 requests_at_least "$@" || fail "the simulator did not see $2 request(s) with '$1'"; }

# A loopback port where nothing listens.
free_port() { sim_body freeport | tr -d '\n'; }

# The program's options, its router address the simulator's, and the given .reg lines.
preload_registry() {
  local address=${PRELOAD_ADDRESS:-127.0.0.1:$SIM_PORT}
  preload_options "$SCENARIO_DIR/options.reg" "$address" "$@" || fail "cannot preload the router address $address"
}

# Starts a fresh copy of the program in its own folder (router.log goes
# there); or, given the Windows path of an installed copy, that copy.
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
  # The title comes before the options are loaded (and the window answers
  # while that waits on the tray): wait for the address.
  expect_text $IDC_ROUTER_ADDRESS starts "127.0.0.1:"
}

# A fresh simulator and program, with the given .reg lines.
start_scene() { sim_start; preload_registry "$@"; start_vorlane; }

stop_vorlane() {
  [ -n "$VORLANE_PID" ] || return 0
  if kill -0 "$VORLANE_PID" 2>/dev/null; then
    timeout 10 wine "$GUI_DRIVER" kill >/dev/null 2>&1 || kill -KILL "$VORLANE_PID" 2>/dev/null || true
  fi
  wait "$VORLANE_PID" 2>/dev/null || true
  VORLANE_PID=
  drv wait-gone "$MAIN_WINDOW_TITLE" 10000 || fail "the main window outlives its process"
}

# Waits up to SECONDS for the program to end with exit code 0.
wait_vorlane_exit() {
  wait_for "$1" eval '! kill -0 "$VORLANE_PID" 2>/dev/null' || fail "the program is still running after $1 s"
  local code=0
  wait "$VORLANE_PID" || code=$?
  VORLANE_PID=
  [ "$code" = 0 ] || fail "exit code $code"
}

show_main_window() { drv tray dblclk; expect_visible 1; }

# Runs the driver's COMMAND... in the background until touch DIR/NAME.stop,
# once it has said WORD; its process id in BACKGROUND_PID.
drv_background() {
  local name=$1 word=$2
  shift 2
  rm -f "$SCENARIO_DIR/$name.stop"
  drv "$@" "$(windows_path "$SCENARIO_DIR/$name.stop")" 60000 >"$SCENARIO_DIR/$name.out" 2>&1 &
  BACKGROUND_PID=$!
  echo "$BACKGROUND_PID" >>"$SCENARIO_DIR/pids"
  wait_for 5 grep -q -s "$word" "$SCENARIO_DIR/$name.out" || fail "$name did not start"
}

# expect_text [-w TITLE] ID is|has|lacks|starts TEXT [MS]
expect_text() {
  local window=("-w" "$MAIN_WINDOW_TITLE")
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  local id=$1 mode=$2 text=$3 ms=${4:-5000} seen
  if ! seen=$(drv "${window[@]}" wait-text "$id" "$mode" "$text" "$ms"); then
    fail "${window[1]} control $id: expected ($mode) '$(printf '%q' "$text")', saw '$(printf '%q' "$seen")'"
  fi
}

# expect_is [-w TITLE] ID TEXT [ID TEXT...]
expect_is() {
  local window=()
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  while [ $# -gt 0 ]; do expect_text "${window[@]}" "$1" is "$2"; shift 2; done
}

# expect_check ID STATE [ID STATE...]
expect_check() {
  while [ $# -gt 0 ]; do expect_same "check box $1" "$(drv_line get-check "$1")" "$2"; shift 2; done
}

# expect_visible [-w TITLE] 1|0 [ID...]
expect_visible() {
  local window=("-w" "$MAIN_WINDOW_TITLE")
  if [ "$1" = -w ]; then window=("-w" "$2"); shift 2; fi
  local state=$1 id
  shift
  [ $# -gt 0 ] || set -- ""
  for id; do
    drv "${window[@]}" wait-visible "$state" 5000 $id >/dev/null || fail "${window[1]}${id:+ control $id}: expected visible=$state"
  done
}

# Still running, and the main window answers at once.
expect_alive() {
  kill -0 "$VORLANE_PID" 2>/dev/null || fail "the program has ended"
  drv ping || fail "the main window does not answer"
}

# The message box shown now, its caption the executable's file title; answers it with ANSWER.
expect_message_box() {
  local text=$1 buttons=$2 answer=$3 seen caption
  caption=$(drv_line file-title "$(windows_path "$APP_DIR/Vorlane.exe")")
  seen=$(drv_line answer "$answer" 5000) || fail "no message box to answer '$answer' (expected '$text')"
  expect_same "message box" "$seen" "$(printf 'caption: %s\nbuttons: %s\ntext: %s' "$caption" "$buttons" "$text")"
}

expect_no_message_box() { local seen; seen=$(drv no-msgbox "${1:-1000}") || fail "unexpected message box: $seen"; }

# Probes the main window with WM_NULL until watch_stop; each round trip must stay within 100 ms.
watch_start() { drv_background watch probing watch-null; WATCH_PID=$BACKGROUND_PID; }

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

# One "Get it Now" poll, measured, until the log screen meets MODE TEXT and the status line rests.
poll_now_watched() {
  watch_start
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN "$1" "$2" $LOG_ERROR_TIMEOUT_MS
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

locate_gui_programs() {
  local windows_build=$1 file
  export GUI_VORLANE=$windows_build/Vorlane.exe
  export GUI_DRIVER=$windows_build/tests/gui/guidriver.exe
  export GUI_RECORDER=$windows_build/tests/gui/launch_recorder.exe
  export GUI_EARLIER_COPY=$windows_build/tests/gui/earlier_copy.exe
  export GUI_ROUTERSIM=$2
  export GUI_SYSLOGBENCH=${2%/routersim/routersim}/syslogbench/syslogbench
  for file in "$GUI_VORLANE" "$GUI_DRIVER" "$GUI_RECORDER" "$GUI_EARLIER_COPY" "$GUI_ROUTERSIM" "$GUI_SYSLOGBENCH"; do
    [ -f "$file" ] || { echo "$file is missing; run scripts/build.sh first" >&2; exit 1; }
  done
}

# A fresh Wine prefix with a virtual desktop on a display of our own; one
# Wine server for the whole run, so every start of the driver finds it up.
prepare_gui_scene() {
  start_display "$GUI_ROOT"
  rm -rf "$GUI_ROOT/prefix"
  use_wine_prefix "$GUI_ROOT/prefix"
  use_wine_desktop on
  wineserver -p
}
