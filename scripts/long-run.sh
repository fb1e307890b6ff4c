#!/usr/bin/env bash
# The long run: many "Get it Now" polls of Vorlane.exe under Wine and Xvfb
# against the router simulator, inside a network namespace that holds only
# loopback, with new log entries before every poll. Then checks that
# router.log holds every added line exactly once and in order, and that the
# program's handle count and private memory stop growing.
#   bash scripts/long-run.sh [POLLS]       (1000 by default)
# Runs what scripts/build.sh built; installs and builds nothing. Its files
# (the lines added, the figures, router.log) stay in build/long-run/.
# VORLANE_WINDOWS_BUILD and VORLANE_ROUTERSIM pick other builds, as for
# scripts/gui-test.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)

readonly polls=${1:-1000}
readonly usage_every=100              # polls between two readings of handles and memory
readonly poll_limit_ms=30000          # one poll, the router's 10 s read deadline included
readonly click_retry_ms=5000          # a click that finds the last poll not yet released is lost
readonly entry_spacing_s=5            # the program takes an entry 2 s after the last; a second may be one off
readonly intrusion_every=5            # one added entry in this many is an intrusion
readonly router_log_polls=50          # the simulated router keeps about this many polls' entries
readonly router_log_kept_polls=10     # ... and, when it forgets, the last this many
# Leak bounds, from poll 100 to the last. A few handles may come and go with
# the alerts' sound and animation. The log screen is emptied past 30000
# characters and the router's page stays short, so memory has nothing to
# grow with; but the private figure Wine gives (resident anonymous memory)
# moves in steps of about 1 MiB as the heap takes or gives back a block.
# So: at most two steps in all (about 2 KiB a poll over 900 polls), and the
# highest reading of the later half at most one step above the earlier's.
readonly handle_margin=${VORLANE_LONG_RUN_HANDLE_MARGIN:-10}
readonly memory_margin_kib=${VORLANE_LONG_RUN_MEMORY_MARGIN_KIB:-2048}
readonly memory_peak_margin_kib=${VORLANE_LONG_RUN_PEAK_MARGIN_KIB:-1024}

[[ $polls =~ ^[1-9][0-9]*$ ]] || { echo "usage: long-run.sh [POLLS]" >&2; exit 2; }

export GUI_ROOT=$repo/build/long-run
export SCENARIO_DIR=$GUI_ROOT/run
SCENARIO_NAME=long_run
source tests/gui/gui_lib.sh
enter_loopback_namespace "$0" "$@"

locate_gui_programs "${VORLANE_WINDOWS_BUILD:-$repo/build/windows}" \
  "${VORLANE_ROUTERSIM:-$repo/build/native/tools/routersim/routersim}"

rm -rf "$GUI_ROOT"
mkdir -p "$SCENARIO_DIR"
started=$(date +%s)
trap 'cleanup_scenario; stop_scene' EXIT
prepare_gui_scene
echo "Long run: Wine prefix ready in $(($(date +%s) - started)) s, display $DISPLAY"

readonly added_lines=$GUI_ROOT/added-lines.txt    # every message added, in order
readonly logged_lines=$GUI_ROOT/logged-lines.txt  # the messages of router.log, in order
readonly usage_table=$GUI_ROOT/usage.txt

# --- The router's log -------------------------------------------------------

# Entry k happens at first_entry_ms + k * spacing: all in the past, oldest first.
now_ms() { local now=${EPOCHREALTIME/./}; echo $((now / 1000)); }
first_entry_ms=$(($(now_ms) - (polls * 3 + 100) * entry_spacing_s * 1000))
entry_count=0
entry_time_ms=()
entry_text=()
poll_first_entry=()

# Unique messages, none a part of another, so each can be looked for alone.
entry_message() {
  local k=$1
  if [ $((k % intrusion_every)) -eq $((intrusion_every - 1)) ]; then
    printf 'Unrecognized access from 203.0.113.%d:%d to UDP port 137' $((k % 254 + 1)) $((1024 + k))
  else
    printf 'Long run event %06d DHCP lease renewed' "$k"
  fi
}

# The simulator takes an entry's age at the moment it is added.
sim_add_entry() {
  local k=$1
  sim "log/add?text=${entry_text[k]// /%20}&age=$(($(now_ms) - entry_time_ms[k]))"
}

# One to three new entries, the last of which the poll must show.
add_new_entries() {
  local poll=$1 count=$((1 + $1 % 3)) k
  poll_first_entry[poll]=$entry_count
  for ((k = entry_count; k < entry_count + count; k++)); do
    entry_time_ms[k]=$((first_entry_ms + k * entry_spacing_s * 1000))
    entry_text[k]=$(entry_message "$k")
    sim_add_entry "$k"
    printf '%s\n' "${entry_text[k]}" >>"$added_lines"
  done
  entry_count=$k
  NEWEST_TEXT=${entry_text[k - 1]}
}

# A router's log is bounded: now and then it forgets all but its latest
# entries, which the program has logged already and must not log again.
forget_old_entries() {
  local poll=$1 k
  [ "$poll" -gt "$router_log_polls" ] && [ $(((poll - 1) % router_log_polls)) -eq 0 ] || return 0
  sim log/clear
  for ((k = poll_first_entry[poll - router_log_kept_polls]; k < entry_count; k++)); do sim_add_entry "$k"; done
}

# --- Polls --------------------------------------------------------------------

clicks=0
lost_clicks=0

# One "Get it Now" poll, waited for until its newest line is on the screen
# and the status line is back at rest.
poll_once() {
  local text=$1
  drv click $IDC_GET_IT_NOW
  clicks=$((clicks + 1))
  if ! drv wait-text $IDC_LOG_SCREEN has "$text" $click_retry_ms >/dev/null; then
    # The click may have come while the last poll was still releasing its flag.
    lost_clicks=$((lost_clicks + 1))
    drv click $IDC_GET_IT_NOW
    clicks=$((clicks + 1))
    expect_text $IDC_LOG_SCREEN has "$text" $((poll_limit_ms - click_retry_ms))
  fi
  expect_text $IDC_STATUS_LINE is "Stopped" $poll_limit_ms
}

# Handles and private memory of the program now, as one row of the table;
# the driver names where each figure came from.
record_usage() {
  local poll=$1 handles private
  read -r handles HANDLES_SOURCE < <(drv handle-count | tr -d '\r') || fail "cannot read the program's handle count"
  read -r private MEMORY_SOURCE < <(drv private-bytes | tr -d '\r') || fail "cannot read the program's private memory"
  printf '%6d %8d %12d %8d\n' "$poll" "$handles" $((private / 1024)) $(($(date +%s) - run_started)) | tee -a "$usage_table"
}

sim_start
sim log/clear
# No session (polls come from the clicks), the remembered time kept across
# screens so that an emptied screen does not bring the whole log back, every
# line to router.log with its GMT time, and no external program.
preload_registry '"autoStart"=dword:00000000' '"rememberDate"=dword:00000001' '"logToFile"=dword:00000001' \
  '"logGMT"=dword:00000001' '"onlyIntrusion"=dword:00000000' '"autoLaunchExternal"=dword:00000000'
start_vorlane

: >"$added_lines"
printf '%6s %8s %12s %8s\n' poll handles "private KiB" seconds | tee "$usage_table"
run_started=$(date +%s)
for ((poll = 1; poll <= polls; poll++)); do
  forget_old_entries "$poll"
  add_new_entries "$poll"
  poll_once "$NEWEST_TEXT"
  if [ "$poll" -eq 1 ] || [ $((poll % usage_every)) -eq 0 ] || [ "$poll" -eq "$polls" ]; then record_usage "$poll"; fi
done
run_seconds=$(($(date +%s) - run_started))
echo "(handles from $HANDLES_SOURCE, private memory from $MEMORY_SOURCE)"
expect_alive
stop_vorlane
echo "Long run: $polls polls, $entry_count lines added, $clicks clicks ($lost_clicks repeated) in $run_seconds s"

# --- Checks -------------------------------------------------------------------

verdict=0

# Each router.log line: a date, " - ", the message, and the GMT suffix.
router_log=$APP_DIR/router.log
[ -f "$router_log" ] || fail "no router.log beside the program"
tr -d '\r' <"$router_log" | sed -E 's/ \( [0-9]{4}\/[0-9]{2}\/[0-9]{2} - [0-9]{2}:[0-9]{2}:[0-9]{2} GMT \)$//' |
  awk '{ at = index($0, " - "); print (at ? substr($0, at + 3) : "(no date) " $0) }' >"$logged_lines"
if cmp -s "$added_lines" "$logged_lines"; then
  echo "router.log: all $(wc -l <"$added_lines") added lines, each exactly once and in order"
else
  verdict=1
  missing=$(sort "$added_lines" | comm -23 - <(sort -u "$logged_lines") | wc -l)
  repeated=$(sort "$logged_lines" | uniq -d | wc -l)
  echo "router.log: DIFFERS from the lines added: $missing missing, $repeated repeated," \
    "$(wc -l <"$logged_lines") lines for $(wc -l <"$added_lines") added; first differences:"
  diff "$added_lines" "$logged_lines" | head -n 20 | sed 's/^/  /'
fi

# Growth from poll 100 (or the first reading) to the last.
base_row=$(awk -v at=$usage_every 'NR > 1 && $1 == at' "$usage_table")
[ -n "$base_row" ] || base_row=$(sed -n 2p "$usage_table")
read -r base_poll base_handles base_private _ <<<"$base_row"
read -r last_poll last_handles last_private _ < <(tail -n1 "$usage_table")
handle_growth=$((last_handles - base_handles))
memory_growth=$((last_private - base_private))
if [ "$handle_growth" -le "$handle_margin" ]; then
  echo "handles: $base_handles at poll $base_poll, $last_handles at poll $last_poll (growth $handle_growth, bound $handle_margin): no leak"
else
  verdict=1
  echo "handles: $base_handles at poll $base_poll, $last_handles at poll $last_poll (growth $handle_growth, bound $handle_margin): LEAK"
fi
# The highest reading of each half, from the base reading on.
read -r early_peak late_peak < <(awk -v from="$base_poll" -v to="$last_poll" '
  NR > 1 && $1 >= from { if ($1 <= (from + to) / 2) { if ($3 > early) early = $3 } else if ($3 > late) late = $3 }
  END { print early + 0, (late ? late : early) + 0 }' "$usage_table")
peak_growth=$((late_peak - early_peak))
memory_figures="$base_private KiB at poll $base_poll, $last_private KiB at poll $last_poll (growth $memory_growth KiB, bound $memory_margin_kib KiB); highest $early_peak KiB in the earlier half, $late_peak KiB in the later (bound $memory_peak_margin_kib KiB)"
if [ "$memory_growth" -le "$memory_margin_kib" ] && [ "$peak_growth" -le "$memory_peak_margin_kib" ]; then
  echo "private memory: $memory_figures: no leak"
else
  verdict=1
  echo "private memory: $memory_figures: LEAK"
fi
echo "Long run: $([ $verdict -eq 0 ] && echo PASSED || echo FAILED) in $(($(date +%s) - started)) s in all"
exit $verdict
