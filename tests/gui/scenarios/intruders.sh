# Who keeps knocking: the Intruders window built from router.log (or the
# reason it cannot be read) and kept up to date by polls, the balloon at an
# intrusion, and the addresses left alone.

readonly SIM_INTRUSION_BALLOON="198.51.100.77, TCP port 27374 and 1 more"

# A router.log of an earlier run in each date format (damaged files are the reader's unit test's).
write_old_router_log() {
  mkdir -p "$APP_DIR"
  printf '%s\r\n' \
    "Monday, March 05, 2001 09:05:07 - Unrecognized access from 203.0.113.5:1025 to TCP port 23 ( 2001/03/05 - 08:05:07 GMT )" \
    "Monday, March 05, 2001 09:06:00 - PPPoE start to dial-up" \
    "March 05, 2001, 10:15:00 AM - Unrecognized access from 203.0.113.5:1026 to UDP port 137" \
    "2001/03/06 - 11:00 - Unrecognized access from 192.0.2.44:80 to TCP port 8080" >"$APP_DIR/router.log"
}

list_rows() { drv -w "$INTRUDERS_WINDOW_TITLE" list-rows $IDC_INTRUDERS_LIST | tr -d '\r'; }

expect_rows() { expect_same "Intruders rows" "$(list_rows)" "$(printf '%s\n' "$@")"; }

sorted_by_address() { [ "$(list_rows | cut -f1 | tr '\n' ' ')" = "192.0.2.44 198.51.100.77 203.0.113.5 207.71.92.221 " ]; }

scenario_intruders_window() {
  sim_start
  write_old_router_log
  install_recorder
  preload_registry '"autoStart"=dword:00000000' '"dateformat"=dword:00000002' "$(external_program_line)"
  # Held open without sharing by another program at the start: an empty table and the reason.
  drv_background hold holding hold-file "$(windows_path "$APP_DIR/router.log")"
  start_vorlane
  drv command $ID_TRAY_INTRUDERS
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_MESSAGE starts "Cannot read router.log: "
  note "$(drv -w "$INTRUDERS_WINDOW_TITLE" get-text $IDC_INTRUDERS_MESSAGE)"
  [ -z "$(list_rows)" ] || fail "rows from a file that could not be read: $(list_rows)"
  touch "$SCENARIO_DIR/hold.stop"
  wait "$BACKGROUND_PID" || fail "the holder failed"
  drv command $ID_TRAY_SHUTDOWN
  wait_vorlane_exit 10

  # Read at the next start.
  start_vorlane
  drv command $ID_TRAY_INTRUDERS
  expect_visible -w "$INTRUDERS_WINDOW_TITLE" 1
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_MESSAGE is "2 addresses, 3 attempts"
  # Long before the last 30 days, and none of them ignored.
  local tab=$'\t' none=$'\t0\t0\t0\t'
  expect_rows \
    "203.0.113.5${tab}2${tab}Monday, March 05, 2001 09:05:07${tab}Monday, March 05, 2001 10:15:00${tab}UDP${tab}137$none" \
    "192.0.2.44${tab}1${tab}Tuesday, March 06, 2001 11:00:00${tab}Tuesday, March 06, 2001 11:00:00${tab}TCP${tab}8080$none"

  # A poll's two attempts join the open window.
  drv click $IDC_GET_IT_NOW
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_MESSAGE is "4 addresses, 5 attempts" 15000
  drv -w "$INTRUDERS_WINDOW_TITLE" header-click $IDC_INTRUDERS_LIST 0
  wait_for 5 sorted_by_address || fail "a click on the Address header sorted them as: $(list_rows | cut -f1)"

  drv -w "$INTRUDERS_WINDOW_TITLE" list-select $IDC_INTRUDERS_LIST 1
  drv -w "$INTRUDERS_WINDOW_TITLE" click $IDC_INTRUDERS_COPY
  expect_same "the clipboard after Copy address" "$(drv_line clipboard)" "198.51.100.77"
  drv set-text $IDC_EXTERNAL_ARGUMENT "probe %% now"
  drv -w "$INTRUDERS_WINDOW_TITLE" click $IDC_INTRUDERS_LAUNCH
  wait_launch_record
  record_has "probe 198.51.100.77 now"
}

# Left 100, top 80, then the six column widths: 90 50 200 200 60 40.
readonly LAYOUT_REG=hex:64,00,00,00,50,00,00,00,5a,00,00,00,32,00,00,00,c8,00,00,00,c8,00,00,00,3c,00,00,00,28,00,00,00

scenario_popup_on_intrusion() {
  start_scene '"autoStart"=dword:00000000' "\"intrudersWindow\"=$LAYOUT_REG"
  drv click $IDC_GET_IT_NOW
  local balloon
  balloon=$(drv_line wait-balloon 1 15000) || fail "no balloon at the intrusion"
  expect_same "the balloon" "$balloon" "$SIM_INTRUSION_BALLOON"
  drv tray balloonclick
  expect_visible -w "$INTRUDERS_WINDOW_TITLE" 1
  local rect
  rect=$(drv_line -w "$INTRUDERS_WINDOW_TITLE" rect)
  expect_same "the Intruders window's place" "${rect% * *}" "100 80"

  # Turned off, saved, and still off at the next start (which also ends the first balloon).
  drv command $ID_TRAY_POPUP
  drv command $ID_TRAY_SHUTDOWN
  wait_vorlane_exit 10
  local layout=${LAYOUT_REG#hex:}
  expect_same intrudersWindow "$(options_value intrudersWindow)" "$(tr -d , <<<"${layout^^}")"
  start_vorlane
  sim "log/add?text=Unrecognized%20access%20from%20203.0.113.9:5555%20to%20TCP%20port%2023&age=0"
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "203.0.113.9:5555" 15000
  drv wait-balloon 0 3000 >/dev/null || fail "a balloon showed with the pop-up turned off"
}

readonly IGNORED_ATTEMPT="Unrecognized%20access%20from%20203.0.113.9:5555%20to%20TCP%20port%2023&age=0"
readonly WATCHED_ATTEMPT="Unrecognized%20access%20from%20198.51.100.20:6666%20to%20UDP%20port%2053&age=0"

chart_pixels() { drv_line -w "$INTRUDERS_WINDOW_TITLE" pixels $IDC_INTRUDERS_CHART; }

# An ignored address's intrusion launches, fills and pops up nothing, while a
# second address does; the chart draws every attempt, ignored or not. No
# sound (the unit tests count those): Wine's first start of its audio, with
# no sound card, can hold up the launch that follows it.
scenario_ignored_address_stays_quiet() {
  sim_start
  install_recorder
  preload_registry '"autoStart"=dword:00000000' '"onlyIntrusion"=dword:00000001' '"autofill"=dword:00000001' \
    '"alert"=dword:00000000' '"autoLaunchExternal"=dword:00000001' "$(external_program_line)"
  start_vorlane
  sim log/clear "log/add?text=$IGNORED_ATTEMPT"
  drv command $ID_TRAY_INTRUDERS
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_MESSAGE is "No intrusion attempts recorded"
  drv -w "$INTRUDERS_WINDOW_TITLE" set-text $IDC_INTRUDERS_IGNORE_BOX "203.0.113.0/24"
  drv -w "$INTRUDERS_WINDOW_TITLE" click $IDC_INTRUDERS_IGNORE_ADD
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_IGNORE_BOX is ""
  local empty
  empty=$(chart_pixels) || fail "the chart cannot be read"
  [ "${empty#* }" -gt 0 ] || fail "the chart draws nothing"

  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN has "203.0.113.9:5555" 15000
  expect_text -w "$INTRUDERS_WINDOW_TITLE" $IDC_INTRUDERS_MESSAGE is "1 address, 1 attempt, 1 ignored"
  wait_for 5 eval '[ "$(chart_pixels)" != "$empty" ]' || fail "the chart stayed the same with an attempt added"
  expect_same "Intruders rows" "$(list_rows | cut -f1,7-)" $'203.0.113.9\t1\t1\t1\tyes'
  # Router.log takes the lines before a launch would come.
  wait_for 5 grep -q -s -F "203.0.113.9:5555" "$APP_DIR/router.log" || fail "router.log lacks the ignored attempt"
  drv wait-balloon 0 2000 >/dev/null || fail "a balloon showed for an ignored address"
  [ ! -e "$RECORD" ] || fail "the ignored address launched the external program: $(cat "$RECORD")"
  expect_is $IDC_EXTERNAL_ARGUMENT ""

  sim "log/add?text=$WATCHED_ATTEMPT"
  drv click $IDC_GET_IT_NOW
  wait_launch_record
  record_has "198.51.100.20"
  expect_is $IDC_EXTERNAL_ARGUMENT "198.51.100.20"
}
