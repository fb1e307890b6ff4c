# The main window as its user meets it: the hidden start, polls on demand,
# the login, hiding and showing, one copy, options across runs, the address
# copy, the external program and the shutdown question.

# The simulator's ten entries less its two acknowledgements: each comes one
# second after the entry before it, and a new entry must be two seconds later.
readonly DEFAULT_LOG_LINES=8

count_lines() { tr -d '\r' | grep -c . || true; }

scenario_start_hidden_with_auto_start() {
  sim_start
  preload_registry '"autoStart"=dword:00000001'
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  expect_text $IDC_LOG_SCREEN has "$FIRST_ENTRY"
  expect_text $IDC_STATUS_LINE is "Waiting..."
  expect_text $IDC_START_STOP is "&Stop Session"
  local lines
  lines=$(drv get-text $IDC_LOG_SCREEN | count_lines)
  [ "$lines" -eq $DEFAULT_LOG_LINES ] || fail "expected $DEFAULT_LOG_LINES log lines, saw $lines"
  # Nothing shows but the tray icon, and the auto-start asks nothing.
  expect_visible 0
  expect_no_message_box 500
  [ "$(sim_count_requests 'GET /syslog.htm HTTP/1.0')" -eq 1 ] || fail "expected one log page request"
  grep -q -F "$LAST_INTRUSION" "$APP_DIR/router.log" || fail "router.log lacks the first poll's lines"
}

scenario_get_it_now() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  sleep 1.5
  expect_text $IDC_STATUS_LINE is "Idle"
  expect_text $IDC_START_STOP is "&Start Session"
  expect_text $IDC_LOG_SCREEN is ""
  [ "$(sim_body connections | tr -d '\n')" = 0 ] || fail "the program polled without a session"
  poll_now_watched has "$LAST_INTRUSION"
  # The next poll adds only what is new.
  sim "log/add?text=Unrecognized%20access%20from%20203.0.113.9:5555%20to%20TCP%20port%2023&age=0"
  poll_now_watched has "203.0.113.9:5555"
  local screen
  screen=$(drv get-text $IDC_LOG_SCREEN)
  [ "$(grep -c -F "$FIRST_ENTRY" <<<"$screen")" -eq 1 ] || fail "an old entry was shown twice"
  [ "$(count_lines <<<"$screen")" -eq $((DEFAULT_LOG_LINES + 1)) ] || fail "expected one new line, the screen holds:
$screen"
  expect_text $IDC_START_STOP is "&Start Session"
}

scenario_login_flow() {
  sim_start
  sim "auth?required=1&password=s3cret"
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  # No stored password: the factory one is tried and refused.
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN is "*** Error: Invalid Admin Password" 15000
  expect_text $IDC_STATUS_LINE is "Stopped"
  drv set-text $IDC_PASSWORD ""
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN is "*** Error: Login disabled." 15000
  expect_text $IDC_STATUS_LINE is "Stopped"
  sim requests/clear
  drv set-text $IDC_PASSWORD "s3cret"
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  expect_text $IDC_STATUS_LINE is "Stopped"
  local expected seen
  expected=$(printf '%s\n' "GET /syslog.htm HTTP/1.0" "GET /menu.htm HTTP/1.0" \
    "GET /cgi-bin/login?page=syslog&logout=&pws=s3cret HTTP/1.0" "GET /syslog.htm HTTP/1.0")
  seen=$(sim_request_lines)
  [ "$seen" = "$expected" ] || fail "login requests: expected
$expected
saw
$seen"
}

scenario_connect_error_text() {
  sim_start
  PRELOAD_ADDRESS="127.0.0.1:$(free_port)" preload_registry '"autoStart"=dword:00000001'
  start_vorlane
  expect_text $IDC_LOG_SCREEN starts $'*** ERROR: Cannot connect to specified address\r\n' 15000
  local screen reason
  screen=$(drv get-text $IDC_LOG_SCREEN | tr -d '\r')
  reason=$(sed -n 2p <<<"$screen")
  [ -n "${reason// /}" ] || fail "no system text follows the error line: '$screen'"
  note "connect error: $reason"
  expect_text $IDC_STATUS_LINE is "Waiting..."
  expect_alive
}

scenario_hide_escape_close_box_and_tray() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  expect_visible 0
  show_main_window
  [ "$(drv foreground | tr -d '\r')" = "$MAIN_WINDOW_TITLE" ] || fail "the tray double-click did not bring the window forward"
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  # Each way hides the main window; the status window goes with it, except on
  # Escape, and the tray double-click brings both back.
  local way
  for way in "click $IDOK:0" "key escape:1" "close:0"; do
    drv ${way%:*}
    expect_visible 0
    expect_visible -w "$STATUS_WINDOW_TITLE" "${way#*:}"
    expect_alive
    drv tray dblclk
    expect_visible 1
    expect_visible -w "$STATUS_WINDOW_TITLE" 1
  done
  # The tray menu's "Preferences/Screen log..." shows both again.
  drv close
  expect_visible 0
  drv command $ID_TRAY_PREFERENCES
  expect_visible 1
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  [ "$(drv count-windows "$MAIN_WINDOW_TITLE" | tr -d '\r')" = 1 ] || fail "expected one main window"
}

scenario_auto_start_box_asks_to_connect() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  show_main_window
  drv click $IDC_AUTO_START
  expect_message_box "Do you want to connect now?" "Yes No" No
  expect_check $IDC_AUTO_START 1
  expect_text $IDC_START_STOP is "&Start Session"
  # Unchecking asks nothing; checking again and Yes starts the session.
  drv click $IDC_AUTO_START
  expect_no_message_box 500
  expect_check $IDC_AUTO_START 0
  drv click $IDC_AUTO_START
  expect_message_box "Do you want to connect now?" "Yes No" Yes
  expect_text $IDC_START_STOP is "&Stop Session"
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  # While a session runs, checking asks nothing.
  drv click $IDC_AUTO_START
  expect_check $IDC_AUTO_START 0
  drv click $IDC_AUTO_START
  expect_no_message_box 500
  expect_check $IDC_AUTO_START 1
}

scenario_one_copy_only() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  expect_visible 0
  local first second
  first=$(drv pid | tr -d '\r')
  (cd "$APP_DIR" && exec wine Vorlane.exe) >>"$SCENARIO_DIR/second.out" 2>&1 &
  second=$!
  echo "$second" >>"$SCENARIO_DIR/pids"
  for _ in $(seq 150); do
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$second" 2>/dev/null && fail "the second copy keeps running"
  wait "$second" || true
  expect_visible 1
  [ "$(drv foreground | tr -d '\r')" = "$MAIN_WINDOW_TITLE" ] || fail "the running copy did not come forward"
  [ "$(drv count-windows "$MAIN_WINDOW_TITLE" | tr -d '\r')" = 1 ] || fail "a second main window exists"
  [ "$(drv pid | tr -d '\r')" = "$first" ] || fail "the main window belongs to another process"
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  expect_alive
}

scenario_options_saved_at_shutdown_and_loaded() {
  sim_start
  sim "auth?required=1&password=n3w%20pass"
  preload_registry '"autoStart"=dword:00000000' '"refreshRate"="30"'
  start_vorlane
  show_main_window
  drv set-text $IDC_REFRESH_RATE 45
  drv click $IDC_ONLY_INTRUSION
  drv click $IDC_SHORT_FORMAT
  drv click $IDC_REMEMBER_DATE
  drv set-text $IDC_PASSWORD "n3w pass"
  expect_text $IDC_REFRESH_RATE is 45
  expect_check $IDC_ONLY_INTRUSION 1
  expect_check $IDC_SHORT_FORMAT 1
  # Shut&down asks first, and saves nothing on No.
  drv click $IDC_SHUTDOWN
  expect_message_box "Are you sure you want to shutdown?" "Yes No" No
  expect_alive
  expect_visible 1
  [ -z "$(options_value lastDate)" ] || fail "the settings were saved after No"
  drv click $IDC_SHUTDOWN
  expect_message_box "Are you sure you want to shutdown?" "Yes No" Yes
  wait_vorlane_exit 10
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Shut&down"
  local expected value
  for expected in "refreshRate=45" "onlyIntrusion=0x1" "dateformat=0x1" "rememberDate=0x1" "autoStart=0x0" \
    "routerAddress=127.0.0.1:$SIM_PORT"; do
    value=$(options_value "${expected%%=*}")
    [ "$value" = "${expected#*=}" ] || fail "registry ${expected%%=*}: expected ${expected#*=}, saw '$value'"
  done
  value=$(options_value password)
  [ -n "$value" ] || fail "the typed password was not saved"
  # Stored scrambled: never the clear bytes.
  [ "$value" != "6E33772070617373" ] && [ "$value" != "6E3377207061737300" ] || fail "the password is stored in clear"
  [ -n "$(options_value lastDate)" ] || fail "lastDate was not saved"
  note "saved: $(wine reg query "HKCU\\$OPTIONS_KEY_PATH" 2>/dev/null | tr -d '\r' | grep -c REG_) values"

  start_vorlane
  expect_text $IDC_REFRESH_RATE is 45
  expect_check $IDC_ONLY_INTRUSION 1
  expect_check $IDC_SHORT_FORMAT 1
  expect_check $IDC_WINDOWS_FORMAT 0
  expect_check $IDC_LONG_FORMAT 0
  expect_check $IDC_REMEMBER_DATE 1
  expect_check $IDC_AUTO_START 0
  expect_text $IDC_PASSWORD is "*********"
  # The stored password logs in: it was scrambled and read back right.
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  [ "$(sim_count_requests 'pws=n3w pass HTTP/1.0')" -eq 1 ] || fail "the stored password was not used: $(sim_request_lines)"
  # Tray "Shutdown" ends at once, without a question, with exit code 0.
  drv command $ID_TRAY_SHUTDOWN
  wait_vorlane_exit 10
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after tray Shutdown"
}

# Double-clicks TEXT in the log screen; the word must be selected, and the
# argument box must then read EXPECTED.
double_click_word() {
  local text=$1 expected=$2 selection
  drv dblclick-text $IDC_LOG_SCREEN "$text" || fail "cannot double-click '$text'"
  for _ in $(seq 50); do
    selection=$(drv get-sel $IDC_LOG_SCREEN | tr -d '\r')
    [[ $selection == *"$text"* ]] && break
    sleep 0.1
  done
  [[ $selection == *"$text"* ]] || fail "double-clicking '$text' selected '$selection'"
  expect_text $IDC_EXTERNAL_ARGUMENT is "$expected" 2000
}

scenario_double_click_address_copy() {
  sim_start
  sim "log/add?text=Probe%20from%2010.0.5%20and%2010.1.2.3.4:81&age=1000"
  preload_registry '"autoStart"=dword:00000001'
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "Probe from" 15000
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "unchanged"
  double_click_word "10.0.5" "unchanged"
  double_click_word "10.1.2.3.4:81" "unchanged"
  double_click_word "DHCP:discover()" "unchanged"
  double_click_word "198.51.100.77:4123" "198.51.100.77"
  double_click_word "192.0.2.123" "192.0.2.123"
  screenshot_window "$MAIN_WINDOW_TITLE" main-window
}

# The stand-in external program, copied into DIR (default tools/) as
# launch_recorder.exe; RECORD is where it writes how it was started.
install_recorder() {
  TOOLS=${1:-$SCENARIO_DIR/tools} RECORD=${1:-$SCENARIO_DIR/tools}/launch_record.txt
  mkdir -p "$TOOLS"
  cp "$GUI_RECORDER" "$TOOLS/launch_recorder.exe"
}

# The registry line that makes PROGRAM (a Unix path) the external program.
external_program_line() {
  local program
  program=$(windows_path "$1")
  printf '"externalApi"="%s"' "${program//\\/\\\\}"
}

# Waits for the recorder's record; it must have started in its own folder.
wait_launch_record() {
  for _ in $(seq 100); do
    [ -s "$RECORD" ] && break
    sleep 0.1
  done
  [ -s "$RECORD" ] || fail "the external program was not started"
  local folder
  folder=$(tr -d '\r' <"$RECORD" | sed -n 's/^folder: //p' | tail -n1)
  [ "${folder%\\}" = "$(windows_path "$TOOLS")" ] || fail "started in '$folder', not in its own folder"
}

scenario_external_program_with_last_lines() {
  sim_start
  install_recorder
  preload_registry '"autoStart"=dword:00000001' "$(external_program_line "$TOOLS/launch_recorder.exe")"
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "before %% after"
  drv click $IDC_LAUNCH_EXTERNAL
  wait_launch_record
  local part
  # %% is replaced by the last lines, first to last, between the argument's head and tail.
  for part in "before " "$FIRST_ENTRY" "$LAST_INTRUSION" " after"; do
    grep -q -F "$part" "$RECORD" || fail "'$part' is missing: $(cat "$RECORD")"
  done
  if grep -q -F "%%" "$RECORD"; then fail "%% is still in the argument"; fi
  # Enter in the argument box launches too, and the window stays.
  rm -f "$RECORD"
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "by enter"
  drv mouse-click $IDC_EXTERNAL_ARGUMENT
  drv key enter $IDC_EXTERNAL_ARGUMENT
  wait_launch_record
  grep -q -F "by enter" "$RECORD" || fail "Enter launched with another argument: $(cat "$RECORD")"
  expect_visible 1
}

# A host name chosen on the LAN reaches a .bat only as plain text, and a
# crafted "from ... :" is no address to fill in.
scenario_router_text_never_reaches_the_interpreter() {
  sim_start
  sim "log/clear"
  sim "log/add?text=DHCP%20lease%20for%20host%20x%22%20%26%20calc%20%26%20%22&age=2000"
  sim "log/add?text=Unrecognized%20access%20from%20x%22%26calc%26%22:80%20to%20TCP%20port%2080&age=1000"
  install_recorder
  printf '@"%%~dp0launch_recorder.exe" %%*\r\n' >"$TOOLS/notify.bat"
  preload_registry '"autoStart"=dword:00000001' '"autofill"=dword:00000001' "$(external_program_line "$TOOLS/notify.bat")"
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "calc" 15000
  show_main_window
  expect_text $IDC_EXTERNAL_ARGUMENT is ""
  drv set-text $IDC_EXTERNAL_ARGUMENT "%%"
  drv click $IDC_LAUNCH_EXTERNAL
  wait_launch_record
  grep -q -F 'host x_ _ calc _ _' "$RECORD" || fail "the host name did not arrive as plain text: $(cat "$RECORD")"
  if grep -q -F '&' "$RECORD"; then fail "an & reached the program: $(cat "$RECORD")"; fi
  expect_alive
}

# A poll that adds LINE (2.5 s after the last, so the router's seconds tell
# them apart), until it is on the screen and the status line rests.
poll_new_line() {
  sleep 2.5
  sim "log/add?text=${1// /%20}&age=0"
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "$1" 15000
  expect_text $IDC_STATUS_LINE is "Stopped" 5000
}

# router.log held open without sharing by another program across two polls:
# once it is free, every line is there once and in order, and no message.
scenario_log_file_held_by_another_program() {
  sim_start
  preload_registry '"autoStart"=dword:00000000' '"logToFile"=dword:00000001'
  start_vorlane
  local log=$APP_DIR/router.log
  poll_new_line "Before the hold"
  hold_file "$log"
  poll_new_line "Held line one"
  poll_new_line "Held line two"
  if grep -q -F "Held line" "$log"; then fail "router.log took lines while held"; fi
  release_file
  poll_new_line "After the release"
  expect_no_message_box
  # Every line once and in order.
  local seen
  seen=$(grep -o -F -e "$LAST_INTRUSION" -e "Before the hold" -e "Held line one" -e "Held line two" -e "After the release" "$log" | paste -sd '|')
  [ "$seen" = "$LAST_INTRUSION|Before the hold|Held line one|Held line two|After the release" ] ||
    fail "router.log does not hold each line once and in order: $(cat "$log")"
  expect_alive
}

# The program in a folder named in Cyrillic on a Western-European system:
# router.log, intruder.wav and the external program's folder are all found.
scenario_any_folder_name() {
  sim_start
  APP_DIR=$SCENARIO_DIR/Маршрутизатор
  install_recorder "$SCENARIO_DIR/Программы"
  mkdir -p "$APP_DIR"
  cp "$VORLANE_REPO/resources/intrusion_alarm.wav" "$APP_DIR/intruder.wav"
  preload_registry '"autoStart"=dword:00000001' '"logToFile"=dword:00000001' '"alert"=dword:00000001' \
    "$(external_program_line "$TOOLS/launch_recorder.exe")"
  inotifywait -m -e open --format '%f' "$APP_DIR" >"$SCENARIO_DIR/opened" 2>"$SCENARIO_DIR/inotify.err" &
  for _ in $(seq 50); do
    grep -q "Watches established" "$SCENARIO_DIR/inotify.err" && break
    sleep 0.1
  done
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  for _ in $(seq 50); do
    grep -q -F "$LAST_INTRUSION" "$APP_DIR/router.log" 2>/dev/null && break
    sleep 0.1
  done
  grep -q -F "$LAST_INTRUSION" "$APP_DIR/router.log" 2>/dev/null || fail "no router.log with the lines in $APP_DIR"
  grep -q -x intruder.wav "$SCENARIO_DIR/opened" || fail "intruder.wav beside the program was never opened"
  show_main_window
  drv click $IDC_LAUNCH_EXTERNAL
  wait_launch_record
}
