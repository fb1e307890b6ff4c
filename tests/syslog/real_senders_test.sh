#!/usr/bin/env bash
# Real syslog senders that nobody here wrote, against the receiver (through
# tools/syslogsink): logger over UDP and TCP in both message forms and both
# framings, and rsyslog forwarding over UDP and TCP. Every message must
# arrive once, intact, in order per sender. Loopback only, in a namespace
# of its own; without root it is skipped.
#   real_senders_test.sh SYSLOGSINK
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scene.sh"
enter_loopback_namespace --if-root "$0" "$@" || { echo "real_senders_test: needs root for its namespace; skipped"; exit 77; }

sink=$1
per_sender=200
# The namespace holds nothing else: fixed ports are free.
sink_port=5514
rsyslog_port=5515
dir=$(mktemp -d)
sink_pid= rsyslog_pid=
cleanup() {
  [ -n "$rsyslog_pid" ] && kill "$rsyslog_pid" 2>/dev/null && wait "$rsyslog_pid" 2>/dev/null
  [ -n "$sink_pid" ] && kill "$sink_pid" 2>/dev/null && wait "$sink_pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "real_senders_test: $*" >&2; exit 1; }

# Waits at most 10 s for a TCP port on 127.0.0.1 to take connections.
await_port() {
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  fail "nothing listens on port $1"
}

"$sink" "$sink_port" "$dir/received.log" >"$dir/sink.out" &
sink_pid=$!
await_port "$sink_port"

mkdir -p "$dir/work"
cat >"$dir/rsyslog.conf" <<CONF
global(workDirectory="$dir/work")
module(load="imtcp")
input(type="imtcp" address="127.0.0.1" port="$rsyslog_port" ruleset="forward")
ruleset(name="forward") {
  if \$programname == "rsudp" then action(type="omfwd" target="127.0.0.1" port="$sink_port" protocol="udp")
  if \$programname == "rstcp" then action(type="omfwd" target="127.0.0.1" port="$sink_port" protocol="tcp")
  if \$programname == "rsoctet" then action(type="omfwd" target="127.0.0.1" port="$sink_port" protocol="tcp"
                                            TCP_Framing="octet-counted")
}
CONF
rsyslogd -n -f "$dir/rsyslog.conf" -i "$dir/rsyslogd.pid" >"$dir/rsyslog.out" 2>&1 &
rsyslog_pid=$!
await_port "$rsyslog_port"

# The body of message N of a sender: quotes, brackets, non-ASCII, and one long one.
body() {
  if [ "$2" -eq 100 ]; then
    printf '%s %d %s' "$1" "$2" "$(printf 'x%.0s' $(seq 3000))"
  else
    printf '%s %d "quoted" [bracketed] %s' "$1" "$2" 'grüße'
  fi
}
send() {
  local tag=$1
  shift
  for i in $(seq "$per_sender"); do body "$tag" "$i"; echo; done |
    logger --size 8192 --server 127.0.0.1 -t "$tag" "$@"
}

declare -A senders=(
  [lu3164]="--port $sink_port --udp --rfc3164"
  [lu5424]="--port $sink_port --udp --rfc5424"
  [lt3164]="--port $sink_port --tcp --rfc3164"
  [lt5424]="--port $sink_port --tcp --rfc5424"
  [lto3164]="--port $sink_port --tcp --rfc3164 --octet-count"
  [lto5424]="--port $sink_port --tcp --rfc5424 --octet-count"
  [rsudp]="--port $rsyslog_port --tcp --rfc3164"
  [rstcp]="--port $rsyslog_port --tcp --rfc3164"
  [rsoctet]="--port $rsyslog_port --tcp --rfc3164"
)
for tag in "${!senders[@]}"; do
  # shellcheck disable=SC2086
  send "$tag" ${senders[$tag]}
done

expected=$(( per_sender * ${#senders[@]} ))
for _ in $(seq 300); do
  [ "$(wc -l <"$dir/received.log" 2>/dev/null || echo 0)" -ge "$expected" ] && break
  sleep 0.1
done
# Anything sent twice would come in meanwhile.
sleep 1
kill "$rsyslog_pid"; wait "$rsyslog_pid" 2>/dev/null || true; rsyslog_pid=
kill "$sink_pid"; wait "$sink_pid" || fail "the sink failed"; sink_pid=
cat "$dir/sink.out"

failures=0
for tag in "${!senders[@]}"; do
  for i in $(seq "$per_sender"); do printf '%s: ' "$tag"; body "$tag" "$i"; echo; done >"$dir/$tag.expected"
  # "<date> - <host> <tag>: <body>": the text after the host.
  tr -d '\r' <"$dir/received.log" | sed -n "s/^.* - [^ ]* \\($tag: .*\\)\$/\\1/p" >"$dir/$tag.received"
  if cmp -s "$dir/$tag.expected" "$dir/$tag.received"; then
    echo "ok: $tag, $per_sender messages"
  else
    echo "FAILED: $tag: $(wc -l <"$dir/$tag.received") of $per_sender lines, first difference:" >&2
    diff "$dir/$tag.expected" "$dir/$tag.received" | head -4 | cut -c1-200 >&2
    failures=$((failures + 1))
  fi
done
total=$(wc -l <"$dir/received.log")
[ "$total" -eq "$expected" ] || { echo "FAILED: $total lines for $expected messages" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] || { echo "rsyslogd said:" >&2; cut -c1-200 "$dir/rsyslog.out" | tail -5 >&2; exit 1; }
echo "all $expected messages arrived once, intact and in order"
