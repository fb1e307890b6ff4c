# The router's log rolls over between two polls: its old entries are gone.

# The date part of the screen line that ends in MESSAGE.
line_date() { local line; line=$(grep -F -- " - $2" <<<"$1"); printf '%s' "${line% - "$2"}"; }

count_missed_lines() { grep -c '^\*\*\* Entries between ' || true; }

scenario_rolled_log_says_entries_may_be_missing() {
  # File lines without the GMT suffix read as the screen lines do.
  start_scene '"autoStart"=dword:00000000' '"logGMT"=dword:00000000'
  poll_now_watched has "$LAST_INTRUSION"
  sim log/clear "log/add?text=Rolled%20in%20first&age=5000" "log/add?text=Rolled%20in%20last&age=3000"
  poll_now_watched has "Rolled in last"
  local screen missed expected
  screen=$(drv_line get-text $IDC_LOG_SCREEN)
  missed="*** Entries between $(line_date "$screen" "$LAST_INTRUSION") and $(line_date "$screen" "Rolled in first")"
  missed+=" may be missing: the router's log no longer holds them"
  expected=$(printf '%s\n' "$missed" "$(grep -F -- "Rolled in first" <<<"$screen")" \
    "$(grep -F -- "Rolled in last" <<<"$screen")")
  expect_same "the screen's last lines" "$(tail -n 3 <<<"$screen")" "$expected"
  expect_same "router.log's last lines" "$(tr -d '\r' <"$APP_DIR/router.log" | tail -n 3)" "$expected"
  note "$missed"
  # A poll without a roll adds no second line.
  sim "log/add?text=After%20the%20roll&age=0"
  poll_now_watched has "After the roll"
  [ "$(drv_line get-text $IDC_LOG_SCREEN | count_missed_lines)" -eq 1 ] || fail "the screen says it twice"
  [ "$(tr -d '\r' <"$APP_DIR/router.log" | count_missed_lines)" -eq 1 ] || fail "router.log says it twice"
}
