# Syslog: real senders nobody here wrote (logger, rsyslog) reach the program
# under Wine; a flood at 2,000 messages a second all reaches router.log
# while the main window keeps answering; hostile senders stop nothing.

# The program with syslog on, on a free port, heard from the router's host (127.0.0.1).
start_syslog_scene() {
  sim_start
  SYSLOG_PORT=$(free_port)
  preload_registry '"autoStart"=dword:00000000' '"syslogEnabled"=dword:00000001' \
    "$(printf '"syslogPort"=dword:%08x' "$SYSLOG_PORT")" "$@"
  start_vorlane
}

syslog_status() { drv_line -w "$SYSLOG_WINDOW_TITLE" get-text $IDC_SYSLOG_STATUS; }

router_log_lines() { tr -d '\r' <"$APP_DIR/router.log" 2>/dev/null | grep -c -F -- "$1" || true; }

# router.log holds TEXT at least COUNT times.
router_log_holds() { [ "$(router_log_lines "$1")" -ge "$2" ]; }

# rsyslog with a configuration of its own, no system service: what comes to
# its TCP port RSYSLOG_PORT goes on to the program over UDP (tag rsudp) and
# TCP (tag rstcp).
start_rsyslog() {
  local dir=$SCENARIO_DIR/rsyslog
  mkdir -p "$dir/work"
  RSYSLOG_PORT=$(free_port)
  cat >"$dir/rsyslog.conf" <<CONF
global(workDirectory="$dir/work")
module(load="imtcp")
input(type="imtcp" address="127.0.0.1" port="$RSYSLOG_PORT" ruleset="forward")
ruleset(name="forward") {
if \$programname == "rsudp" then action(type="omfwd" target="127.0.0.1" port="$SYSLOG_PORT" protocol="udp")
if \$programname == "rstcp" then action(type="omfwd" target="127.0.0.1" port="$SYSLOG_PORT" protocol="tcp")
}
CONF
  rsyslogd -n -f "$dir/rsyslog.conf" -i "$dir/rsyslogd.pid" >"$dir/out" 2>&1 &
  echo $! >>"$SCENARIO_DIR/pids"
  wait_for 10 eval "(exec 3<>/dev/tcp/127.0.0.1/$RSYSLOG_PORT) 2>/dev/null" || fail "rsyslogd does not listen"
}

scenario_syslog_real_senders() {
  start_syslog_scene
  start_rsyslog
  local tag
  # logger from util-linux: both message forms, both transports, both TCP framings.
  logger --server 127.0.0.1 --port "$SYSLOG_PORT" --udp --rfc3164 -t lu3164 "udp 3164 message"
  logger --server 127.0.0.1 --port "$SYSLOG_PORT" --udp --rfc5424 -t lu5424 "udp 5424 message"
  logger --server 127.0.0.1 --port "$SYSLOG_PORT" --tcp --rfc3164 -t lt3164 "tcp 3164 message"
  logger --server 127.0.0.1 --port "$SYSLOG_PORT" --tcp --rfc5424 --octet-count -t lto5424 \
    "DROP IN=ppp0 OUT= SRC=203.0.113.9 DST=198.51.100.2 PROTO=TCP SPT=4455 DPT=3389"
  for tag in rsudp rstcp; do
    logger --server 127.0.0.1 --port "$RSYSLOG_PORT" --tcp --rfc3164 -t "$tag" "forwarded by rsyslog"
  done
  # A sender other than the router's host is counted, never shown.
  python3 -c 'import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.2", 0))
s.sendto(b"<13>from elsewhere", ("127.0.0.1", int(sys.argv[1])))' "$SYSLOG_PORT"

  for tag in "lu3164: udp 3164 message" "lu5424: udp 5424 message" "lt3164: tcp 3164 message" \
             "lto5424: DROP IN=ppp0" "rsudp: forwarded by rsyslog" "rstcp: forwarded by rsyslog"; do
    expect_text $IDC_LOG_SCREEN has "$tag" 10000
    wait_for 5 router_log_holds "$tag" 1 || fail "router.log lacks '$tag'"
    [ "$(router_log_lines "$tag")" -eq 1 ] || fail "router.log holds '$tag' $(router_log_lines "$tag") times"
  done
  expect_text $IDC_LOG_SCREEN lacks "from elsewhere"
  # The netfilter line is an intrusion attempt like the log page's.
  expect_is $IDC_EXTERNAL_ARGUMENT "203.0.113.9"
  drv command $ID_TRAY_SYSLOG
  expect_text -w "$SYSLOG_WINDOW_TITLE" $IDC_SYSLOG_STATUS is \
    "Listening on UDP and TCP port $SYSLOG_PORT: 6 messages, 1 refused from other addresses" 5000
  note "$(syslog_status)"
  note "$(tr -d '\r' <"$APP_DIR/router.log" | grep -F 'lto5424')"
}

# 10,000 messages over UDP at 2,000 a second: all reach router.log, and the
# main window keeps answering within the watch's limit meanwhile.
scenario_syslog_flood() {
  start_syslog_scene '"onlyIntrusion"=dword:00000000'
  local count=10000 started
  watch_start
  started=$(date +%s%N)
  "$GUI_SYSLOGBENCH" udp "$SYSLOG_PORT" "$count" 2000 >"$SCENARIO_DIR/sender.out" 2>&1 || fail "the sender failed"
  wait_for 30 router_log_holds ' bench ' "$count" || true
  local arrived
  arrived=$(router_log_lines ' bench ')
  watch_stop
  note "$arrived of $count messages in router.log, $(( ($(date +%s%N) - started) / 1000000 )) ms from the first sent"
  [ "$arrived" -eq "$count" ] || fail "router.log holds $arrived of $count messages"
  expect_alive
}

# Hostile senders between good messages, against the Windows sockets: the
# program keeps running and answering, and the good lines arrive intact.
scenario_syslog_hostile_senders() {
  start_syslog_scene '"onlyIntrusion"=dword:00000000'
  watch_start
  python3 - "$SYSLOG_PORT" <<'PYTHON' || fail "the hostile sender failed"
import resource, socket, sys, time
port = int(sys.argv[1])
resource.setrlimit(resource.RLIMIT_NOFILE, (1100, resource.getrlimit(resource.RLIMIT_NOFILE)[1]))
udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
def datagram(data): udp.sendto(data, ("127.0.0.1", port)); time.sleep(0.2)
def connect():
    s = socket.create_connection(("127.0.0.1", port), timeout=10)
    return s
datagram(b"<13>hostile before")
datagram(b"\x01\xff\x00\r\n\x7fgarbage")
datagram(b"")
datagram(b"x" * 65507)
counted = connect(); counted.sendall(b"999999999 " + b"y" * (1 << 20))
unended = connect(); unended.sendall(b"z" * (1 << 20))
flood = []
for _ in range(1000):
    try: flood.append(connect())
    except OSError: break
datagram(b"<13>hostile during")
for s in flood + [counted, unended]: s.close()
time.sleep(0.5)
after = connect(); after.sendall(b"<13>hostile after\n"); after.close()
PYTHON
  wait_for 15 router_log_holds "hostile after" 1 || fail "router.log lacks the message after the hostile ones"
  watch_stop
  expect_alive
  local order
  order=$(tr -d '\r' <"$APP_DIR/router.log" | grep -o -E 'hostile (before|during|after)' | tr '\n' ' ')
  expect_same "the good messages in router.log" "$order" "hostile before hostile during hostile after "
  drv command $ID_TRAY_SYSLOG
  expect_text -w "$SYSLOG_WINDOW_TITLE" $IDC_SYSLOG_STATUS is \
    "Listening on UDP and TCP port $SYSLOG_PORT: 7 messages, 0 refused from other addresses" 5000
}
