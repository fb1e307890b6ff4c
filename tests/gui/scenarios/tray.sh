# The tray icon says what Vorlane sees: its tip as the taskbar shows it, and
# one balloon at each change between watching and blind.

readonly WATCH_ENTRY="Watch test entry"

expect_tip() {
  local seen
  seen=$(drv_line wait-tip "$1" "$2" 5000) || fail "tray tip: expected ($1) '$2', saw '$seen'"
}

# Waits until the balloon watcher has said N lines (its first is "watching").
# The taskbar shows a balloon about 2 s after it is asked for.
balloons_seen() {
  wait_for 10 eval '[ "$(wc -l <"$SCENARIO_DIR/balloons.out")" -ge '"$1"' ]' ||
    fail "balloons: expected $(($1 - 1)), saw: $(tail -n +2 "$SCENARIO_DIR/balloons.out")"
}

# One "Get it Now" poll of the running session, until the log screen
# (cleared first) shows what it brought.
poll_until_screen() {
  drv click $IDC_CLEAR_SCREEN
  expect_text $IDC_LOG_SCREEN is ""
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN "$1" "$2" 15000
}

scenario_tray_tip_and_balloons_follow_the_router() {
  sim_start
  sim log/clear "log/add?text=${WATCH_ENTRY// /%20}&age=1000"
  # A session of its own, whose next scheduled poll is an hour away: the polls are the scenario's.
  preload_registry '"refreshRate"="3600"'
  drv_background balloons watching watch-balloons
  start_vorlane
  local address="127.0.0.1:$SIM_PORT"
  expect_text $IDC_LOG_SCREEN has "$WATCH_ENTRY" 15000
  expect_tip starts "Vorlane: watching $address (last poll "
  note "$(drv_line wait-tip starts Vorlane 0)"

  # It stops answering: connected, then closed without a byte.
  sim "mode?name=refuse"
  poll_until_screen is "*** (empty) ***"
  expect_tip starts "Vorlane: watching $address (last poll "
  poll_until_screen is "*** (empty) ***"
  expect_tip starts "Vorlane: cannot reach $address since "
  note "$(drv_line wait-tip starts Vorlane 0)"
  balloons_seen 2
  poll_until_screen is "*** (empty) ***"
  sleep 3  # a balloon of this poll would show by now

  sim "mode?name=normal"
  poll_until_screen has "$WATCH_ENTRY"
  expect_tip starts "Vorlane: watching $address (last poll "
  balloons_seen 3
  poll_until_screen has "$WATCH_ENTRY"
  sleep 3
  touch "$SCENARIO_DIR/balloons.stop"
  wait "$BACKGROUND_PID" || fail "the balloon watcher failed"
  expect_same "the balloons" "$(tr -d '\r' <"$SCENARIO_DIR/balloons.out")" "$(printf '%s\n' watching \
    "Vorlane cannot reach the router at $address: it does not answer" "Vorlane sees the router again.")"
}
