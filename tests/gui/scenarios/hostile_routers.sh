# Routers that misbehave. After each poll the program still runs, shows
# the right lines or "***" text, and its main window answers WM_NULL within
# 100 ms all through the poll.

readonly EMPTY_NOTICE="*** (empty) ***"
readonly AUTHORIZATION_FAILED=$'*** Error: Authorization Failed.\r\nLog in the router from your browser and set the \'Administrator Time-out\' option to 0 or Log off any user from local networt.'

# hostile_poll MODE TEXT REQUEST...: the program with no session, the
# simulator's misbehaviour on, then one measured poll until the log screen
# meets MODE TEXT.
hostile_poll() {
  local mode=$1 text=$2
  shift 2
  start_scene '"autoStart"=dword:00000000'
  sim "$@"
  poll_now_watched "$mode" "$text"
  expect_alive
  expect_no_message_box 200
}

scenario_hostile_connection_held_open() { hostile_poll has "$LAST_INTRUSION" "mode?name=keepopen"; }

scenario_hostile_no_answer() { hostile_poll is "$EMPTY_NOTICE" "mode?name=noanswer"; }

# One byte every 200 ms: the read deadline cuts it within the page's head.
scenario_hostile_drip() { hostile_poll is "$EMPTY_NOTICE" "mode?name=drip&interval=200"; }

scenario_hostile_reset_mid_answer() {
  # The first half of the page arrives before the reset: its entries count.
  hostile_poll has "$FIRST_ENTRY" "mode?name=reset"
  expect_text $IDC_LOG_SCREEN lacks "$LAST_INTRUSION"
}

scenario_hostile_garbage() { hostile_poll is "$EMPTY_NOTICE" "mode?name=garbage"; }

# Connected, then closed without a byte.
scenario_hostile_refused() { hostile_poll is "$EMPTY_NOTICE" "mode?name=refuse"; }

scenario_hostile_ten_megabyte_page() {
  # Some 135,000 entries, each new: the newest 100,000 count, so the page's
  # first ones, the simulator's own log with its last intrusion, are left
  # out; the screen shows the newest of them and says so.
  hostile_poll has "Unrecognized access from 198.51.100." "log/fill?bytes=10000000"
  expect_text $IDC_LOG_SCREEN lacks "$LAST_INTRUSION"
  expect_text $IDC_LOG_SCREEN starts "... "
}

scenario_hostile_moved() { hostile_poll starts $'*** Error: Page moved. Try other router address:port\r\nHTTP/1.0 301 Moved' "moved?on=1"; }

scenario_hostile_refusal_after_login() {
  hostile_poll is "$AUTHORIZATION_FAILED" "auth?required=1&password=vesto&refuse=1"
  wait_request_count 'GET /cgi-bin/login?page=syslog&logout=&pws=vesto HTTP/1.0' 1
}

scenario_hostile_status_page_without_labels() {
  # A router that demands its password answers the status request with its
  # refusal page, which holds none of the labels.
  start_scene '"autoStart"=dword:00000000'
  sim "auth?required=1&password=vesto"
  show_main_window
  watch_start
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  watch_stop
  status_is $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS "$PARSE_ERROR" $IDC_ROUTER_STATUS_SUBNET_MASK "$PARSE_ERROR" \
    $IDC_ROUTER_STATUS_GATEWAY "$PARSE_ERROR" $IDC_ROUTER_STATUS_DNS "$PARSE_ERROR" $IDC_ROUTER_STATUS_PRINTER "$PARSE_ERROR" \
    $IDC_ROUTER_STATUS_LOCAL_ADDRESS "127.0.0.1"
  expect_static_row
  expect_alive
}

# A router that answers the forced logout only after 3 s: the window keeps
# answering all along, the logout reaches the router, and the status line
# comes to rest.
scenario_hostile_slow_logout() {
  start_scene '"autoStart"=dword:00000000'
  show_main_window
  sim "logout?delay=3000" requests/clear
  drv click-through $IDC_SESSION_ANIMATION
  expect_message_box "This will force a logout. Are you sure?" "Yes No" Yes
  watch_start
  expect_text $IDC_STATUS_LINE is "Loging out" 5000
  wait_request_count "GET /cgi-bin/logo?RC=@ HTTP/1.0" 1
  expect_text $IDC_STATUS_LINE is "Stopped" 10000
  watch_stop
  expect_alive
  expect_no_message_box 200
}

readonly TOO_LARGE_TEXT="*** Error: The router's answer is larger than 16 MB."
readonly HUGE_ANSWER_BYTES=$((512 * 1024 * 1024))
readonly MAX_GROWTH_KIB=$((128 * 1024))

# A figure of /proc/PID/status in KiB: status_kib PID VmRSS|VmHWM
status_kib() { awk -v name="$2:" '$1 == name { print $2 }' /proc/"$1"/status; }

# 512 MB at loopback speed: the poll ends with the error text, and resident
# memory grows by at most 128 MB however fast the bytes come.
scenario_hostile_huge_answer() {
  start_scene '"autoStart"=dword:00000000'
  # /usr/bin/wine hands over to Wine's loader in the same process.
  local pid=$VORLANE_PID rest shown=1 after peak
  [ "$(cat /proc/"$pid"/comm)" = Vorlane.exe ] || fail "process $pid does not run Vorlane.exe"
  rest=$(status_kib "$pid" VmRSS)
  echo 5 >/proc/"$pid"/clear_refs  # the peak (VmHWM) counts from here
  sim "mode?name=huge&bytes=$HUGE_ANSWER_BYTES"
  watch_start
  drv click $IDC_GET_IT_NOW
  drv wait-text $IDC_LOG_SCREEN is "$TOO_LARGE_TEXT" $LOG_ERROR_TIMEOUT_MS >/dev/null || shown=0
  expect_text $IDC_STATUS_LINE is "Stopped" 30000
  after=$(status_kib "$pid" VmRSS)
  peak=$(status_kib "$pid" VmHWM)
  note "resident memory: $((rest / 1024)) MiB at rest, $((after / 1024)) MiB after the poll, peak $((peak / 1024)) MiB (growth $(((peak - rest) / 1024)) MiB)"
  note "simulator: $(sim_body generated)"
  watch_stop
  [ "$shown" -eq 1 ] || expect_text $IDC_LOG_SCREEN is "$TOO_LARGE_TEXT" 0
  [ $((peak - rest)) -le $MAX_GROWTH_KIB ] || fail "resident memory grew by $(((peak - rest) / 1024)) MiB, more than $((MAX_GROWTH_KIB / 1024)) MiB"
  expect_alive
  expect_no_message_box 200
}
