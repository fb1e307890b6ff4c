# Routers that misbehave. After each poll the program still runs, shows
# the right lines or "***" text, and its main window answers WM_NULL within
# 100 ms all through the poll.

readonly EMPTY_NOTICE="*** (empty) ***"
readonly AUTHORIZATION_FAILED=$'*** Error: Authorization Failed.\r\nLog in the router from your browser and set the \'Administrator Time-out\' option to 0 or Log off any user from local networt.'

# Starts the program with no session, turns the simulator's misbehaviour on
# (control requests given as arguments), then polls once while measuring.
# The expectation (mode and text) is read from HOSTILE_EXPECT.
hostile_poll() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  local command
  for command in "$@"; do sim "$command"; done
  poll_now_watched "${HOSTILE_EXPECT[0]}" "${HOSTILE_EXPECT[1]}"
  expect_alive
  expect_no_message_box 200
}

scenario_hostile_connection_held_open() {
  HOSTILE_EXPECT=(has "$LAST_INTRUSION")
  hostile_poll "mode?name=keepopen"
}

scenario_hostile_no_answer() {
  HOSTILE_EXPECT=(is "$EMPTY_NOTICE")
  hostile_poll "mode?name=noanswer"
}

scenario_hostile_drip() {
  # One byte every 200 ms: the read deadline cuts it within the page's head.
  HOSTILE_EXPECT=(is "$EMPTY_NOTICE")
  hostile_poll "mode?name=drip&interval=200"
}

scenario_hostile_zero_bytes() {
  # The zero bytes are dropped; the text around them stays whole.
  HOSTILE_EXPECT=(has "$LAST_INTRUSION")
  hostile_poll "mode?name=zero"
  expect_text $IDC_LOG_SCREEN has "$FIRST_ENTRY"
}

scenario_hostile_reset_mid_answer() {
  # The first half of the page arrives before the reset: its entries count.
  HOSTILE_EXPECT=(has "$FIRST_ENTRY")
  hostile_poll "mode?name=reset"
  expect_text $IDC_LOG_SCREEN lacks "$LAST_INTRUSION"
}

scenario_hostile_garbage() {
  HOSTILE_EXPECT=(is "$EMPTY_NOTICE")
  hostile_poll "mode?name=garbage"
}

scenario_hostile_refused() {
  # Connected, then closed without a byte.
  HOSTILE_EXPECT=(is "$EMPTY_NOTICE")
  hostile_poll "mode?name=refuse"
}

scenario_hostile_ten_megabyte_page() {
  # The read deadline cuts the page; the entries read until then count.
  HOSTILE_EXPECT=(has "$LAST_INTRUSION")
  hostile_poll "log/fill?bytes=10000000"
  expect_text $IDC_LOG_SCREEN has "Unrecognized access from 198.51.100."
}

scenario_hostile_moved() {
  HOSTILE_EXPECT=(starts $'*** Error: Page moved. Try other router address:port\r\nHTTP/1.0 301 Moved')
  hostile_poll "moved?on=1"
}

scenario_hostile_refusal_after_login() {
  HOSTILE_EXPECT=(is "$AUTHORIZATION_FAILED")
  hostile_poll "auth?required=1&password=vesto&refuse=1"
  wait_request_count 'GET /cgi-bin/login?page=syslog&logout=&pws=vesto HTTP/1.0' 1
}

scenario_hostile_login_form_without_action() {
  # The login request goes with an empty path; the router still refuses.
  HOSTILE_EXPECT=(is "$AUTHORIZATION_FAILED")
  hostile_poll "auth?required=1&password=vesto" "menu?form=noaction"
  wait_request_count 'GET  HTTP/1.0' 1
}

scenario_hostile_login_form_without_end() {
  # No fields are read: the request carries no password.
  HOSTILE_EXPECT=(is "*** Error: Invalid Admin Password")
  hostile_poll "auth?required=1&password=vesto" "menu?form=noend"
  wait_request_count 'GET /cgi-bin/login? HTTP/1.0' 1
}

scenario_hostile_status_page_without_labels() {
  # A router that demands its password answers the status request with its
  # refusal page, which holds none of the labels.
  sim_start
  sim "auth?required=1&password=vesto"
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  show_main_window
  watch_start
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  watch_stop
  local id
  for id in $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS $IDC_ROUTER_STATUS_SUBNET_MASK $IDC_ROUTER_STATUS_GATEWAY $IDC_ROUTER_STATUS_DNS $IDC_ROUTER_STATUS_PRINTER; do
    expect_text -w "$STATUS_WINDOW_TITLE" "$id" is "$PARSE_ERROR"
  done
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME is "Not applicable: Static IP"
  expect_visible -w "$STATUS_WINDOW_TITLE" 0 $IDC_ROUTER_STATUS_CONNECTION_TIME
  expect_visible -w "$STATUS_WINDOW_TITLE" 0 $IDC_ROUTER_STATUS_CONNECTION_LABEL
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_LOCAL_ADDRESS is "127.0.0.1"
  expect_alive
}

# A router that answers the forced logout only after 3 s: the window keeps
# answering all along, the logout reaches the router, and the status line
# comes to rest.
scenario_hostile_slow_logout() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  show_main_window
  sim "logout?delay=3000"
  sim "requests/clear"
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
