# The tray icon says what Vorlane sees: its tip as the taskbar shows it, and
# one balloon at each change between watching and blind.

expect_tip() { drv wait-tip "$1" 5000 >/dev/null || fail "tray tip: expected '$1...', saw '$(drv_line wait-tip "" 0)'"; }

# Until the balloon watcher has said N lines (its first is "watching"); the
# taskbar shows a balloon about 2 s after it is asked for.
balloons_seen() { wait_for 10 eval '[ "$(wc -l <"$SCENARIO_DIR/balloons.out")" -ge '"$1"' ]' || fail "balloons: $(cat "$SCENARIO_DIR/balloons.out")"; }

# One "Get it Now" poll, until the cleared log screen shows what it brought.
poll_until_screen() {
  drv click $IDC_CLEAR_SCREEN
  expect_text $IDC_LOG_SCREEN is ""
  drv click $IDC_GET_IT_NOW
  expect_text $IDC_LOG_SCREEN "$1" "$2" 15000
}

scenario_tray_tip_and_balloons_follow_the_router() {
  sim_start
  sim log/clear "log/add?text=Watch%20entry&age=1000"
  preload_registry '"refreshRate"="3600"'  # a session whose polls are the scenario's
  drv_background balloons watching watch-balloons
  start_vorlane
  local address="127.0.0.1:$SIM_PORT" empty="*** (empty) ***"
  expect_text $IDC_LOG_SCREEN has "Watch entry" 15000
  expect_tip "Vorlane: watching $address (last poll "
  note "$(drv_line wait-tip "" 0)"
  sim "mode?name=refuse"  # connected, then closed without a byte
  poll_until_screen is "$empty"
  expect_tip "Vorlane: watching $address (last poll "
  poll_until_screen is "$empty"
  expect_tip "Vorlane: cannot reach $address since "
  note "$(drv_line wait-tip "" 0)"
  balloons_seen 2
  poll_until_screen is "$empty"
  sleep 3  # a balloon of this poll would show by now
  sim "mode?name=normal"
  poll_until_screen has "Watch entry"
  expect_tip "Vorlane: watching $address (last poll "
  balloons_seen 3
  touch "$SCENARIO_DIR/balloons.stop"
  wait "$BACKGROUND_PID" || fail "the balloon watcher failed"
  expect_same "the balloons" "$(tr -d '\r' <"$SCENARIO_DIR/balloons.out")" "$(printf '%s\n' watching \
    "Vorlane cannot reach the router at $address: it does not answer" "Vorlane sees the router again.")"
  drv tray balloonclick  # it leads to where the router is set
  expect_visible 1
}
