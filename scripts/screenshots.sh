#!/usr/bin/env bash
# Pictures of the main window, the Router Status window, the About box, the
# Intruders window (its chart of all addresses, of the selected one with a
# day's tip, and the ignored addresses), the Syslog window, the balloon at an
# intrusion, the tray menu, the tray icon with its tip in each of its three
# states and the balloon at losing the router, on a scaled display (144 DPI
# unless given), for docs/:
#   bash scripts/screenshots.sh [DPI]   ->  docs/<window>-<DPI>dpi.png
# The program runs under Wine and Xvfb against the router simulator, inside a
# network namespace that holds only loopback. Runs what scripts/build.sh built.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)
dpi=${1:-144}

export GUI_ROOT=$repo/build/screenshots SCENARIO_DIR=$repo/build/screenshots GUI_SCREEN=1600x1200
source tests/gui/gui_lib.sh
enter_loopback_namespace "$0" "$@"
locate_gui_programs "$repo/build/windows" "$repo/build/native/tools/routersim/routersim"
rm -rf "$GUI_ROOT"
mkdir -p "$GUI_ROOT"
trap 'cleanup_scenario; stop_scene' EXIT
prepare_gui_scene

# A picture of one of the program's windows alone, the pointer moved off it.
screenshot_window() {
  local x y width height
  drv pointer 1000 20 || true
  sleep 0.3
  read -r x y width height < <(drv_line -w "$1" rect) || return 0
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$SCENARIO_DIR/$2.png" 2>/dev/null || true
}

# Read when the program starts, as Windows reads the display's scale at logon.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

# A router.log of the last 30 days: one address every day, bursts of others.
write_month_of_attempts() {
  mkdir -p "$APP_DIR"
  python3 - >"$APP_DIR/router.log" <<'PYTHON'
import random, time
rng = random.Random(22)
now = time.time()
lines = []
def knock(address, days_ago, count, protocol="TCP", port=23):
    for _ in range(count):
        when = now - days_ago * 86400 - rng.randrange(0, 20 * 3600)
        lines.append((when, f"Unrecognized access from {address}:{rng.randrange(1024, 65535)} to {protocol} port {port}"))
for day in range(30):
    knock("198.51.100.23", day, 2 + (day * 7) % 9)
knock("203.0.113.66", 12, 40, "UDP", 137)
knock("203.0.113.67", 11, 18, "UDP", 137)
knock("192.0.2.15", 5, 25, "TCP", 445)
knock("192.0.2.15", 4, 9, "TCP", 445)
for day in (27, 20, 16, 9, 2, 1):
    knock(f"198.51.100.{100 + day}", day, 1 + day % 3, "TCP", 8080)
for when, text in sorted(lines):
    print(time.strftime("%Y/%m/%d - %H:%M", time.localtime(when)) + " - " + text, end="\r\n")
PYTHON
}

# The window with the pointer over a bar of the chart, and the day's tip.
screenshot_with_tip() {
  local x y width height
  read -r x y width height < <(drv_line -w "$INTRUDERS_WINDOW_TITLE" rect "$IDC_INTRUDERS_CHART")
  drv pointer $((x + width * 85 / 100)) $((y + height / 2))
  sleep 1.5
  read -r x y width height < <(drv_line -w "$INTRUDERS_WINDOW_TITLE" rect)
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$SCENARIO_DIR/$1.png" 2>/dev/null || true
}

sim_start
write_month_of_attempts
preload_registry
start_vorlane
expect_text "$IDC_LOG_SCREEN" has "$LAST_INTRUSION" 20000
drv wait-balloon 1 10000 >/dev/null || fail "no balloon at the intrusion"
sleep 0.5
import -window root -gravity SouthEast -crop 640x220+0+0 +repage "$GUI_ROOT/balloon-${dpi}dpi.png"
show_main_window
screenshot_window "$MAIN_WINDOW_TITLE" "main-window-${dpi}dpi"

drv click "$IDC_SHOW_STATUS"
expect_visible -w "$STATUS_WINDOW_TITLE" 1
expect_text -w "$STATUS_WINDOW_TITLE" "$IDC_ROUTER_STATUS_MESSAGE" is "" 15000
screenshot_window "$STATUS_WINDOW_TITLE" "router-status-${dpi}dpi"
drv -w "$STATUS_WINDOW_TITLE" click "$IDOK"

drv command "$ID_ABOUT_COMMAND"
drv wait-window "$ABOUT_BOX_TITLE" 5000 || fail "the About box did not open"
screenshot_window "$ABOUT_BOX_TITLE" "about-box-${dpi}dpi"
drv -w "$ABOUT_BOX_TITLE" click "$IDOK"

drv command "$ID_TRAY_INTRUDERS"
expect_text -w "$INTRUDERS_WINDOW_TITLE" "$IDC_INTRUDERS_MESSAGE" starts "12 addresses, "
screenshot_window "$INTRUDERS_WINDOW_TITLE" "intruders-${dpi}dpi"
drv -w "$INTRUDERS_WINDOW_TITLE" list-select "$IDC_INTRUDERS_LIST" 0
expect_text -w "$INTRUDERS_WINDOW_TITLE" "$IDC_INTRUDERS_CHART_TITLE" has "198.51.100.23"
screenshot_with_tip "intruders-selected-${dpi}dpi"
for entry in 203.0.113.64/26 192.0.2.15; do
  drv -w "$INTRUDERS_WINDOW_TITLE" set-text "$IDC_INTRUDERS_IGNORE_BOX" "$entry"
  drv -w "$INTRUDERS_WINDOW_TITLE" click "$IDC_INTRUDERS_IGNORE_ADD"
  expect_text -w "$INTRUDERS_WINDOW_TITLE" "$IDC_INTRUDERS_IGNORE_BOX" is ""
done
drv -w "$INTRUDERS_WINDOW_TITLE" click "$IDC_INTRUDERS_QUIET"
drv -w "$INTRUDERS_WINDOW_TITLE" set-text "$IDC_INTRUDERS_QUIET_MINUTES" "30"
drv -w "$INTRUDERS_WINDOW_TITLE" click "$IDC_INTRUDERS_ALL"
expect_text -w "$INTRUDERS_WINDOW_TITLE" "$IDC_INTRUDERS_MESSAGE" has "3 ignored"
screenshot_window "$INTRUDERS_WINDOW_TITLE" "intruders-ignored-${dpi}dpi"

# Beside the icon, on the taskbar: its tip hides, ready to show again.
pointer_off_icon() { drv pointer 1560 1190; sleep 0.5; }

# The icon with its tip, the pointer resting on it once no balloon covers it.
screenshot_tray() {
  wait_for 15 eval '! drv wait-balloon 1 0 >/dev/null' || fail "a balloon stays"
  expect_tip_starts "$2"
  pointer_off_icon
  drv pointer 1590 1190
  sleep 2
  import -window root -gravity SouthEast -crop 900x90+0+0 +repage "$GUI_ROOT/$1-${dpi}dpi.png"
}
expect_tip_starts() { drv wait-tip "$1" 5000 >/dev/null || fail "the tip does not start with '$1'"; }

# One "Get it Now" poll, until the cleared log screen shows its notice.
poll_to_empty_screen() {
  drv click "$IDC_CLEAR_SCREEN"
  expect_text "$IDC_LOG_SCREEN" is ""
  drv click "$IDC_GET_IT_NOW"
  expect_text "$IDC_LOG_SCREEN" is "*** (empty) ***" 15000
}

screenshot_tray tray-watching "Vorlane: watching "
# The router stops answering: blind at the second poll, with a balloon.
sim "mode?name=refuse"
pointer_off_icon
poll_to_empty_screen
poll_to_empty_screen
drv wait-balloon 1 10000 >/dev/null || fail "no balloon at losing the router"
sleep 0.5
import -window root -gravity SouthEast -crop 820x220+0+0 +repage "$GUI_ROOT/trouble-balloon-${dpi}dpi.png"
screenshot_tray tray-blind "Vorlane: cannot reach "
drv click "$IDC_START_STOP"
screenshot_tray tray-idle "Vorlane: not watching"

# The Syslog window, switched on, after a few messages from the router's host
# and one from elsewhere.
drv command "$ID_TRAY_SYSLOG"
drv -w "$SYSLOG_WINDOW_TITLE" click "$IDC_SYSLOG_ENABLED"
expect_text -w "$SYSLOG_WINDOW_TITLE" "$IDC_SYSLOG_STATUS" starts "Listening on UDP and TCP port 514:" 5000
for message in "kernel: DROP IN=ppp0 OUT= SRC=203.0.113.9 PROTO=TCP DPT=3389" "dnsmasq[312]: query example.com"; do
  logger --server 127.0.0.1 --port 514 --udp --rfc3164 "$message"
done
python3 -c 'import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.2", 0))
s.sendto(b"<13>from elsewhere", ("127.0.0.1", 514))'
expect_text -w "$SYSLOG_WINDOW_TITLE" "$IDC_SYSLOG_STATUS" is \
  "Listening on UDP and TCP port 514: 2 messages, 1 refused from other addresses" 10000
screenshot_window "$SYSLOG_WINDOW_TITLE" "syslog-${dpi}dpi"
drv -w "$SYSLOG_WINDOW_TITLE" click "$IDOK"

# The tray menu, opened as a right click on the icon opens it: at the pointer,
# here beside the icon, whose tip would cover the menu.
pointer_off_icon
drv tray rdown
sleep 1
import -window root -gravity SouthEast -crop 280x260+0+0 +repage "$GUI_ROOT/tray-menu-${dpi}dpi.png"
drv key escape

for name in main-window router-status about-box intruders intruders-selected intruders-ignored syslog balloon \
  tray-menu tray-watching tray-blind tray-idle trouble-balloon; do
  [ -s "$GUI_ROOT/$name-${dpi}dpi.png" ] || fail "no picture of the $name"
  cp "$GUI_ROOT/$name-${dpi}dpi.png" docs/
  echo "docs/$name-${dpi}dpi.png"
done
