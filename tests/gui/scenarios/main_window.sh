# The main window as its user meets it: the hidden start, polls on demand,
# the login, hiding and showing, one copy, options across runs, the address
# copy, the external program and the shutdown question.

readonly NO_AUTO_START='"autoStart"=dword:00000000' AUTO_START='"autoStart"=dword:00000001'

expect_foreground_main() { [ "$(drv_line foreground)" = "$MAIN_WINDOW_TITLE" ] || fail "the main window did not come forward"; }

scenario_start_hidden_with_auto_start() {
  start_scene "$AUTO_START"
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  expect_text $IDC_LOG_SCREEN has "$FIRST_ENTRY"
  expect_is $IDC_STATUS_LINE "Waiting..." $IDC_START_STOP "&Stop Session"
  # The simulator's ten entries less its two acknowledgements.
  [ "$(drv_line get-text $IDC_LOG_SCREEN | grep -c .)" -eq 8 ] || fail "expected 8 log lines"
  # Nothing shows but the tray icon, and the auto-start asks nothing.
  expect_visible 0
  expect_no_message_box 500
  expect_requests 'GET /syslog.htm HTTP/1.0' 1
  grep -q -F "$LAST_INTRUSION" "$APP_DIR/router.log" || fail "router.log lacks the first poll's lines"
}

# No session: nothing is polled until "Get it Now". The router asks for its
# password: with none stored the factory one is tried and refused, an empty
# one means the login is disabled, the typed one logs in.
scenario_get_it_now_and_login() {
  start_scene "$NO_AUTO_START"
  sim "auth?required=1&password=s3cret"
  sleep 1.5
  expect_is $IDC_STATUS_LINE "Idle" $IDC_START_STOP "&Start Session" $IDC_LOG_SCREEN ""
  [ "$(sim_body connections | tr -d '\n')" = 0 ] || fail "the program polled without a session"
  poll_now_watched is "*** Error: Invalid Admin Password"
  drv set-text $IDC_PASSWORD ""
  poll_now_watched is "*** Error: Login disabled."
  drv set-text $IDC_PASSWORD "s3cret"
  poll_now_watched has "$LAST_INTRUSION"
  expect_is $IDC_START_STOP "&Start Session"
}

scenario_connect_error_text() {
  sim_start
  PRELOAD_ADDRESS="127.0.0.1:$(free_port)" preload_registry "$AUTO_START"
  start_vorlane
  expect_text $IDC_LOG_SCREEN starts $'*** ERROR: Cannot connect to specified address\r\n' 15000
  local reason
  reason=$(drv_line get-text $IDC_LOG_SCREEN | sed -n 2p)
  [ -n "${reason// /}" ] || fail "no system text follows the error line"
  note "connect error: $reason"
  expect_is $IDC_STATUS_LINE "Waiting..."
  expect_alive
}

# A second copy ends and brings the first forward; then each way hides the
# main window, and the tray brings it back.
scenario_one_copy_hide_and_show() {
  start_scene "$NO_AUTO_START"
  expect_visible 0
  local second way hide status back
  (cd "$APP_DIR" && exec wine Vorlane.exe) >>"$SCENARIO_DIR/second.out" 2>&1 &
  second=$!
  echo "$second" >>"$SCENARIO_DIR/pids"
  wait_for 15 eval '! kill -0 "$second" 2>/dev/null' || fail "the second copy keeps running"
  wait "$second" || true
  expect_visible 1
  expect_foreground_main
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  drv close
  expect_visible 0
  show_main_window
  expect_foreground_main
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  # The status window goes with the main one, except on Escape; the tray
  # double-click or its menu's "Preferences/Screen log..." brings both back.
  for way in "click $IDOK|0|tray dblclk" "key escape|1|tray dblclk" "close|0|command $ID_TRAY_PREFERENCES"; do
    IFS='|' read -r hide status back <<<"$way"
    drv $hide
    expect_visible 0
    expect_visible -w "$STATUS_WINDOW_TITLE" "$status"
    expect_alive
    drv $back
    expect_visible 1
    expect_visible -w "$STATUS_WINDOW_TITLE" 1
  done
}

scenario_auto_start_box_asks_to_connect() {
  start_scene "$NO_AUTO_START"
  show_main_window
  drv click $IDC_AUTO_START
  expect_message_box "Do you want to connect now?" "Yes No" No
  expect_check $IDC_AUTO_START 1
  expect_is $IDC_START_STOP "&Start Session"
  # Unchecking asks nothing; checking again and Yes starts the session.
  drv click $IDC_AUTO_START
  expect_no_message_box 500
  expect_check $IDC_AUTO_START 0
  drv click $IDC_AUTO_START
  expect_message_box "Do you want to connect now?" "Yes No" Yes
  expect_is $IDC_START_STOP "&Stop Session"
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  # While a session runs, checking asks nothing.
  drv click $IDC_AUTO_START
  expect_check $IDC_AUTO_START 0
  drv click $IDC_AUTO_START
  expect_no_message_box 500
  expect_check $IDC_AUTO_START 1
}

scenario_options_saved_at_shutdown_and_loaded() {
  start_scene "$NO_AUTO_START" '"refreshRate"="30"'
  sim "auth?required=1&password=n3w%20pass"
  show_main_window
  drv set-text $IDC_REFRESH_RATE 45
  local id
  for id in $IDC_ONLY_INTRUSION $IDC_SHORT_FORMAT $IDC_REMEMBER_DATE; do drv click $id; done
  drv set-text $IDC_PASSWORD "n3w pass"
  # Shut&down asks first, and saves nothing on No.
  drv click $IDC_SHUTDOWN
  expect_message_box "Are you sure you want to shutdown?" "Yes No" No
  expect_alive
  expect_visible 1
  [ -z "$(options_value lastDate)" ] || fail "the settings were saved after No"
  drv click $IDC_SHUTDOWN
  expect_message_box "Are you sure you want to shutdown?" "Yes No" Yes
  wait_vorlane_exit 10
  [ -n "$(options_value lastDate)" ] || fail "lastDate was not saved"
  # The password went to the user's key, protected by Windows, and nowhere in the clear.
  [ -n "$(options_value protectedPassword)" ] || fail "no protected password under the user's key"
  [ -z "$(options_value password)$(reg_data "HKLM\\$OPTIONS_KEY_PATH" password)" ] || fail "a scrambled password is left"

  start_vorlane
  expect_is $IDC_REFRESH_RATE 45 $IDC_PASSWORD "*********"
  expect_check $IDC_ONLY_INTRUSION 1 $IDC_SHORT_FORMAT 1 $IDC_WINDOWS_FORMAT 0 $IDC_LONG_FORMAT 0 \
    $IDC_REMEMBER_DATE 1 $IDC_AUTO_START 0
  # The stored password logs in: the data protection gave it back.
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  expect_requests 'pws=n3w pass HTTP/1.0' 1
  # Tray "Shutdown" ends at once, without a question, with exit code 0.
  drv command $ID_TRAY_SHUTDOWN
  wait_vorlane_exit 10
}

# Double-clicks TEXT in the log screen; the word must be selected, and the
# argument box must then read EXPECTED.
selection_has() { [[ $(drv_line get-sel $IDC_LOG_SCREEN) == *"$1"* ]]; }

double_click_word() {
  drv dblclick-text $IDC_LOG_SCREEN "$1" || fail "cannot double-click '$1'"
  wait_for 5 selection_has "$1" || fail "double-clicking '$1' selected '$(drv_line get-sel $IDC_LOG_SCREEN)'"
  expect_text $IDC_EXTERNAL_ARGUMENT is "$2" 2000
}

scenario_double_click_address_copy() {
  sim_start
  sim "log/add?text=Probe%20from%2010.0.5%20and%2010.1.2.3.4:81&age=1000"
  preload_registry "$AUTO_START"
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "Probe from" 15000
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "unchanged"
  local word
  for word in "10.0.5" "10.1.2.3.4:81" "DHCP:discover()"; do double_click_word "$word" "unchanged"; done
  double_click_word "198.51.100.77:4123" "198.51.100.77"
  double_click_word "192.0.2.123" "192.0.2.123"
}

# The stand-in external program, copied into DIR (default tools/); RECORD is
# where it writes how it was started.
install_recorder() {
  TOOLS=${1:-$SCENARIO_DIR/tools} RECORD=${1:-$SCENARIO_DIR/tools}/launch_record.txt
  mkdir -p "$TOOLS"
  cp "$GUI_RECORDER" "$TOOLS/launch_recorder.exe"
}

# The registry line naming the recorder the external program.
external_program_line() {
  local program
  program=$(windows_path "$TOOLS/launch_recorder.exe")
  printf '"externalApi"="%s"' "${program//\\/\\\\}"
}

# Waits for the recorder's record; it must have started in its own folder.
wait_launch_record() {
  wait_for 10 test -s "$RECORD" || fail "the external program was not started"
  local folder
  folder=$(tr -d '\r' <"$RECORD" | sed -n 's/^folder: //p' | tail -n1)
  [ "${folder%\\}" = "$(windows_path "$TOOLS")" ] || fail "started in '$folder', not in its own folder"
}

record_has() { grep -q -F -- "$1" "$RECORD" || fail "'$1' is missing: $(cat "$RECORD")"; }

# The program and the external one in folders named in Cyrillic on a
# Western-European system: router.log, intruder.wav and the external
# program's folder are all found; %% in the argument takes the last lines.
scenario_external_program_with_last_lines() {
  sim_start
  APP_DIR=$SCENARIO_DIR/Маршрутизатор
  install_recorder "$SCENARIO_DIR/Программы"
  mkdir -p "$APP_DIR"
  cp "$VORLANE_REPO/resources/intrusion_alarm.wav" "$APP_DIR/intruder.wav"
  preload_registry "$AUTO_START" '"logToFile"=dword:00000001' '"alert"=dword:00000001' "$(external_program_line)"
  inotifywait -m -e open --format '%f' "$APP_DIR" >"$SCENARIO_DIR/opened" 2>"$SCENARIO_DIR/inotify.err" &
  wait_for 5 grep -q "Watches established" "$SCENARIO_DIR/inotify.err" || true
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "$LAST_INTRUSION" 15000
  wait_for 5 grep -q -s -F "$LAST_INTRUSION" "$APP_DIR/router.log" || fail "no router.log with the lines in $APP_DIR"
  grep -q -x intruder.wav "$SCENARIO_DIR/opened" || fail "intruder.wav beside the program was never opened"
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "before %% after"
  drv click $IDC_LAUNCH_EXTERNAL
  wait_launch_record
  local part
  # %% is replaced by the last lines, first to last, between the argument's head and tail.
  for part in "before " "$FIRST_ENTRY" "$LAST_INTRUSION" " after"; do record_has "$part"; done
  # Enter in the argument box launches too, and the window stays.
  rm -f "$RECORD"
  show_main_window
  drv set-text $IDC_EXTERNAL_ARGUMENT "by enter"
  drv mouse-click $IDC_EXTERNAL_ARGUMENT
  drv key enter $IDC_EXTERNAL_ARGUMENT
  wait_launch_record
  record_has "by enter"
  expect_visible 1
}
