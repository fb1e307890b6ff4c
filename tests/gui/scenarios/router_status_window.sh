# The Router Status window in one run: its fields from the router's status
# page, the refresh after each poll while it shows, both page layouts with
# the connection, lease and static rows, an unreachable router, and the ways
# to hide it.

status_is() { expect_is -w "$STATUS_WINDOW_TITLE" "$@"; }
status_visible() { expect_visible -w "$STATUS_WINDOW_TITLE" "$@"; }

# The fields that the simulator's status page gives in either layout.
expect_router_fields() {
  status_is $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS "203.0.113.45" $IDC_ROUTER_STATUS_SUBNET_MASK "255.255.255.0" \
    $IDC_ROUTER_STATUS_GATEWAY "203.0.113.1" $IDC_ROUTER_STATUS_DNS "198.51.100.53, 198.51.100.54" \
    $IDC_ROUTER_STATUS_PRINTER "Not ready" $IDC_ROUTER_STATUS_LOCAL_ADDRESS "127.0.0.1"
}

# The static-address case: the connection row hidden.
expect_static_row() {
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME is "Not applicable: Static IP" 10000
  status_visible 0 $IDC_ROUTER_STATUS_CONNECTION_TIME $IDC_ROUTER_STATUS_CONNECTION_LABEL
}

# After a refresh, LABEL and the start of the connection row's value; no LABEL: the static case.
refresh_and_expect_connection_row() {
  drv -w "$STATUS_WINDOW_TITLE" click $IDC_ROUTER_STATUS_REFRESH
  if [ -z "$1" ]; then
    expect_static_row
  else
    expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "$1" 10000
    expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME starts "$2"
    status_visible 1 $IDC_ROUTER_STATUS_CONNECTION_TIME $IDC_ROUTER_STATUS_CONNECTION_LABEL
  fi
  status_is $IDC_ROUTER_STATUS_MESSAGE ""
  expect_router_fields
}

scenario_router_status_window() {
  start_scene '"autoStart"=dword:00000000'
  show_main_window
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "" 10000
  # No log page read yet: no WAN type.
  status_is $IDC_ROUTER_STATUS_WAN_TYPE "" $IDC_ROUTER_STATUS_CONNECTION_LABEL "Connection Time:"
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_TIME starts "0 day 00:"
  expect_router_fields
  sim "status?layout=common&item=lease" requests/clear
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_STATUS_LINE is "Stopped" 15000
  # The poll's end refreshed the shown window, WAN type of the page included.
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_CONNECTION_LABEL is "Remaining Lease Time:" 10000
  status_is $IDC_ROUTER_STATUS_WAN_TYPE "PPPoE"
  expect_requests 'GET /status.htm HTTP/1.0' 1
  # Each step changes the row, so that its expectation cannot be met early;
  # a later page with a lease shows the hidden row again.
  local step layout item row hide
  for step in "common none" "variant lease Remaining Lease Time:|0 day 00:" "variant connection Connection Time:|0 day 00:00:" \
    "variant none" "common connection Connection Time:|0 day 00:00:"; do
    read -r layout item row <<<"$step"
    sim "status?layout=$layout&item=$item"
    refresh_and_expect_connection_row "${row%|*}" "${row#*|}"
  done
  # Hidden by the main window's button, it is not refreshed.
  expect_is $IDC_SHOW_STATUS "Hide Router Status"
  drv click $IDC_SHOW_STATUS
  status_visible 0
  expect_is $IDC_SHOW_STATUS "Show Router Status"
  sim requests/clear
  drv click $IDC_GET_IT_NOW
  wait_request_count 'GET /syslog.htm HTTP/1.0' 1
  expect_text $IDC_STATUS_LINE is "Stopped" 15000
  sleep 1
  expect_requests 'GET /status.htm HTTP/1.0' 0
  # Shown with the router unreachable: the fields the router gives are emptied.
  drv set-text $IDC_ROUTER_ADDRESS "127.0.0.1:$(free_port)"
  drv click $IDC_SHOW_STATUS
  expect_text -w "$STATUS_WINDOW_TITLE" $IDC_ROUTER_STATUS_MESSAGE is "*** Error: Can't connect to routeur address" 10000
  status_is $IDC_ROUTER_STATUS_CONNECTION_TIME "" $IDC_ROUTER_STATUS_PRINTER "" $IDC_ROUTER_STATUS_SUBNET_MASK "" \
    $IDC_ROUTER_STATUS_GATEWAY "" $IDC_ROUTER_STATUS_EXTERNAL_ADDRESS "" $IDC_ROUTER_STATUS_DNS "" \
    $IDC_ROUTER_STATUS_LOCAL_ADDRESS "127.0.0.1" $IDC_ROUTER_STATUS_WAN_TYPE "PPPoE"
  # The close box and the Close button hide it too, and the button's caption follows.
  for hide in close "click $IDOK"; do
    expect_is $IDC_SHOW_STATUS "Hide Router Status"
    drv -w "$STATUS_WINDOW_TITLE" $hide
    status_visible 0
    expect_is $IDC_SHOW_STATUS "Show Router Status"
    drv click $IDC_SHOW_STATUS
    status_visible 1
  done
  expect_alive
}
