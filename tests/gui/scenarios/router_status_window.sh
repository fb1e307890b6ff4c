# The Router Status window: shown and hidden from the main window, its
# fields from the router's status page, both page layouts, the connection,
# lease and static cases, an unreachable router, the refresh after a poll.

# The fields that the simulator's status page gives in either layout.
expect_router_fields() {
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS is "203.0.113.45"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_SUBNET_MASK is "255.255.255.0"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_GATEWAY is "203.0.113.1"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_DNS is "198.51.100.53, 198.51.100.54"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_PRINTER is "Not ready"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_LOCAL_ADDRESS is "127.0.0.1"
}

# LABEL and the start of the connection row's value after a refresh; an
# empty LABEL means the static-address case, with the row hidden.
refresh_and_expect_connection_row() {
  local label=$1 value=$2
  drv -w "$STATUS_WINDOW_TITLE" click $IDC_ROUTER_STATUS_REFRESH
  if [ -z "$label" ]; then
    expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME is "Not applicable: Static IP" 10000
    expect_visible -w "$STATUS_WINDOW_TITLE" 0 $IDC_ROUTER_STATUS_CONNECTION_TIME
    expect_visible -w "$STATUS_WINDOW_TITLE" 0 $IDC_ROUTER_STATUS_CONNECTION_LABEL
  else
    expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "$label" 10000
    expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME starts "$value"
    expect_visible -w "$STATUS_WINDOW_TITLE" 1 $IDC_ROUTER_STATUS_CONNECTION_TIME
    expect_visible -w "$STATUS_WINDOW_TITLE" 1 $IDC_ROUTER_STATUS_CONNECTION_LABEL
  fi
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is ""
  expect_router_fields
}

# Starts the program with a first poll done and its main window shown.
start_after_first_poll() {
  preload_registry '"autoStart"=dword:00000001'
  start_vorlane
  expect_text $IDC_LOG_SCREEN has "Unrecognized access" 15000
  show_main_window
}

scenario_router_status_show_refresh_and_close() {
  sim_start
  sim "wan?type=DHCP"
  start_after_first_poll
  expect_text $IDC_SHOW_STATUS is "Show Router Status"
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  expect_text $IDC_SHOW_STATUS is "Hide Router Status"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  expect_router_fields
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_WAN_TYPE is "DHCP"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "Connection Time:"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME starts "0 day 00:"
  screenshot_window "$STATUS_WINDOW_TITLE" status-window
  # The close box and the Close button both hide it and reset the caption.
  drv -w "$STATUS_WINDOW_TITLE" close
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  expect_text $IDC_SHOW_STATUS is "Show Router Status"
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  expect_text $IDC_SHOW_STATUS is "Hide Router Status"
  drv -w "$STATUS_WINDOW_TITLE" click $IDOK
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  expect_text $IDC_SHOW_STATUS is "Show Router Status"
  # The button alone shows and hides.
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 1
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  expect_text $IDC_SHOW_STATUS is "Show Router Status"
  expect_alive
}

scenario_router_status_layouts_and_connection_items() {
  sim_start
  start_after_first_poll
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "Connection Time:"
  # Each step changes the row, so that its expectation cannot be met early.
  sim requests/clear
  sim "status?layout=common&item=lease"
  refresh_and_expect_connection_row "Remaining Lease Time:" "0 day 00:"
  [ "$(sim_count_requests 'GET /status.htm HTTP/1.0')" -eq 1 ] || fail "Refresh: expected one status request"
  sim "status?layout=common&item=none"
  refresh_and_expect_connection_row "" ""
  # A later page with a lease shows the hidden row again.
  sim "status?layout=variant&item=lease"
  refresh_and_expect_connection_row "Remaining Lease Time:" "0 day 00:"
  sim "status?layout=variant&item=connection"
  refresh_and_expect_connection_row "Connection Time:" "0 day 00:00:"
  sim "status?layout=variant&item=none"
  refresh_and_expect_connection_row "" ""
  sim "status?layout=common&item=connection"
  refresh_and_expect_connection_row "Connection Time:" "0 day 00:00:"
  expect_alive
}

scenario_router_status_unreachable_router() {
  sim_start
  start_after_first_poll
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  expect_router_fields
  drv set-text $IDC_ROUTER_ADDRESS "127.0.0.1:$(free_port)"
  drv -w "$STATUS_WINDOW_TITLE" click $IDC_ROUTER_STATUS_REFRESH
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "*** Error: Can't connect to routeur address" 10000
  local id
  for id in $IDC_ROUTER_STATUS_CONNECTION_TIME $IDC_ROUTER_STATUS_PRINTER $IDC_ROUTER_STATUS_SUBNET_MASK $IDC_ROUTER_STATUS_GATEWAY $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS $IDC_ROUTER_STATUS_DNS; do
    expect_text -w "$STATUS_WINDOW_TITLE" "$id" is ""
  done
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_LOCAL_ADDRESS is "127.0.0.1"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_WAN_TYPE is "PPPoE"
  expect_alive
}

scenario_router_status_refresh_after_each_poll() {
  sim_start
  preload_registry '"autoStart"=dword:00000000'
  start_vorlane
  show_main_window
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  # No log page read yet: no WAN type.
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_WAN_TYPE is ""
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "Connection Time:"
  sim "status?layout=common&item=lease"
  sim requests/clear
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_STATUS_LINE is "Stopped" 15000
  # The poll's end refreshed the shown window, WAN type of the page included.
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "Remaining Lease Time:" 10000
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_WAN_TYPE is "PPPoE"
  [ "$(sim_count_requests 'GET /status.htm HTTP/1.0')" -eq 1 ] || fail "expected one status request after the poll"
  # Hidden, it is not refreshed.
  drv click $IDC_SHOW_STATUS
  expect_visible -w "$STATUS_WINDOW_TITLE" 0
  sim requests/clear
  drv click $IDC_GET_IT_NOW
  wait_request_count 'GET /syslog.htm HTTP/1.0' 1
  expect_text $IDC_STATUS_LINE is "Stopped" 15000
  sleep 1
  [ "$(sim_count_requests 'GET /status.htm HTTP/1.0')" -eq 0 ] || fail "the hidden status window was refreshed"
  [ "$(sim_count_requests 'GET /syslog.htm HTTP/1.0')" -eq 1 ] || fail "expected one log page request"
}
