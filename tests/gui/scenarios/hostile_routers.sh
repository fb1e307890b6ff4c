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
  # The read deadline cuts the page; the entries read until then count.
  hostile_poll has "$LAST_INTRUSION" "log/fill?bytes=10000000"
  expect_text $IDC_LOG_SCREEN has "Unrecognized access from 198.51.100."
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
