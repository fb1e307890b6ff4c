#!/usr/bin/env bash
# Real syslog senders that nobody here wrote, against the receiver (through
# tools/syslogsink): logger over UDP and TCP in both message forms and both
# framings, and rsyslog forwarding over UDP and TCP. Every message must
# arrive once, intact, in order per sender. Loopback only, in a namespace
# of its own; skipped without root.   real_senders_test.sh SYSLOGSINK
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/scene.sh"
enter_loopback_namespace --if-root "$0" "$@" || { echo "real_senders_test: needs root; skipped"; exit 77; }

per_sender=200
# The namespace holds nothing else: fixed ports are free.
sink_port=5514
rsyslog_port=5515
dir=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$dir"' EXIT
fail() { echo "real_senders_test: $*" >&2; exit 1; }
await_port() {
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  fail "nothing listens on port $1"
}

"$1" "$sink_port" "$dir/received.log" >"$dir/sink.out" &
pids+=($!)
await_port "$sink_port"
mkdir "$dir/work"
forward() { echo "if \$programname == \"$1\" then action(type=\"omfwd\" target=\"127.0.0.1\" port=\"$sink_port\" $2)"; }
cat >"$dir/rsyslog.conf" <<CONF
global(workDirectory="$dir/work")
module(load="imtcp")
input(type="imtcp" address="127.0.0.1" port="$rsyslog_port" ruleset="forward")
ruleset(name="forward") {
$(forward rsudp 'protocol="udp"')
$(forward rstcp 'protocol="tcp"')
$(forward rsoctet 'protocol="tcp" TCP_Framing="octet-counted"')
}
CONF
rsyslogd -n -f "$dir/rsyslog.conf" -i "$dir/rsyslogd.pid" >"$dir/rsyslog.out" 2>&1 &
pids+=($!)
await_port "$rsyslog_port"

# Message N of a sender: quotes, brackets, non-ASCII; number 100 is long.
body() {
  if [ "$2" -eq 100 ]; then printf '%s %d %s' "$1" "$2" "$(printf 'x%.0s' $(seq 3000))"
  else printf '%s %d "quoted" [bracketed] %s' "$1" "$2" 'grüße'; fi
}
declare -A senders=(
  [lu3164]="$sink_port --udp --rfc3164" [lu5424]="$sink_port --udp --rfc5424"
  [lt3164]="$sink_port --tcp --rfc3164" [lt5424]="$sink_port --tcp --rfc5424"
  [lto3164]="$sink_port --tcp --rfc3164 --octet-count" [lto5424]="$sink_port --tcp --rfc5424 --octet-count"
  [rsudp]="$rsyslog_port --tcp --rfc3164" [rstcp]="$rsyslog_port --tcp --rfc3164"
  [rsoctet]="$rsyslog_port --tcp --rfc3164"
)
for tag in "${!senders[@]}"; do
  for i in $(seq "$per_sender"); do body "$tag" "$i"; echo; done >"$dir/$tag.sent"
  # shellcheck disable=SC2086
  logger --size 8192 --server 127.0.0.1 -t "$tag" --port ${senders[$tag]} <"$dir/$tag.sent"
done

expected=$(( per_sender * ${#senders[@]} ))
for _ in $(seq 300); do
  [ "$(wc -l <"$dir/received.log")" -ge "$expected" ] && break
  sleep 0.1
done
sleep 1  # anything sent twice would come in meanwhile
kill "${pids[@]}"; wait; pids=()
cat "$dir/sink.out"

failures=0
for tag in "${!senders[@]}"; do
  # "<date> - <host> <tag>: <body>": the text after the host.
  tr -d '\r' <"$dir/received.log" | sed -n "s/^.* - [^ ]* $tag: //p" >"$dir/$tag.received"
  if cmp -s "$dir/$tag.sent" "$dir/$tag.received"; then echo "ok: $tag, $per_sender messages"; continue; fi
  echo "FAILED: $tag: $(wc -l <"$dir/$tag.received") of $per_sender lines, first difference:" >&2
  diff "$dir/$tag.sent" "$dir/$tag.received" | head -4 | cut -c1-200 >&2 || true
  grep -a -m2 "$tag" "$dir/received.log" | cut -c1-200 >&2 || true
  failures=$((failures + 1))
done
total=$(wc -l <"$dir/received.log")
[ "$total" -eq "$expected" ] || { echo "FAILED: $total lines for $expected messages" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] || { cut -c1-200 "$dir/rsyslog.out" | tail -5 >&2; exit 1; }
echo "all $expected messages arrived once, intact and in order"
