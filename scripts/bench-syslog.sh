#!/usr/bin/env bash
# Measures the syslog receiver natively (Release build) on loopback, in a
# namespace of its own when run as root: one TCP sender as fast as it goes,
# then UDP paced at 10,000 messages a second. Every message is received,
# parsed, recognized and appended to a router.log-like file (one append a
# batch). Prints messages/s and how many were lost.
#   bench-syslog.sh [TCP_COUNT] [UDP_COUNT]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/scene.sh
enter_loopback_namespace --if-root "$0" "$@" || echo "bench-syslog: not root: loopback addresses alone, no namespace"

tcp_count=${1:-500000}
udp_count=${2:-50000}
udp_rate=10000
build_dir=build/syslogbench-release
log=$(mktemp)
work=$(mktemp -d)
sink_pid=
trap '[ -n "$sink_pid" ] && kill "$sink_pid" 2>/dev/null; rm -rf "$log" "$work"' EXIT
if ! { cmake --preset native -B "$build_dir" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build_dir" --target syslogsink syslogbench -j2; } >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
sink=$build_dir/tools/syslogsink/syslogsink
sender=$build_dir/tools/syslogbench/syslogbench

# One run: starts the sink, sends, waits (bounded) until the file holds
# every message or stops growing, stops the sink and prints its figures.
run() {
  local mode=$1 count=$2 file=$work/$1.log lines=0 previous=-1
  shift 2
  "$sink" 0 "$file" >"$work/sink.out" &
  sink_pid=$!
  for _ in $(seq 100); do grep -q '^listening' "$work/sink.out" 2>/dev/null && break; sleep 0.1; done
  local port
  port=$(sed -n 's/^listening on port //p' "$work/sink.out")
  [ -n "$port" ] || { echo "bench-syslog: the sink did not start" >&2; exit 1; }
  "$sender" "$mode" "$port" "$count" "$@"
  for _ in $(seq 600); do
    lines=$(wc -l <"$file" 2>/dev/null || echo 0)
    [ "$lines" -ge "$count" ] && break
    [ "$lines" -eq "$previous" ] && break
    previous=$lines
    sleep 1
  done
  kill "$sink_pid"
  wait "$sink_pid"
  sink_pid=
  local figures records span
  figures=$(tail -1 "$work/sink.out")
  records=$(sed -n 's/^records \([0-9]*\),.*/\1/p' <<<"$figures")
  span=$(sed -n 's/.*span \([0-9]*\) ms/\1/p' <<<"$figures")
  echo "  sink: $figures"
  echo "  $mode: $records of $count messages in router.log, lost $((count - $(wc -l <"$file"))); "\
"$(( span > 0 ? records * 1000 / span : 0 )) messages/s from the first batch to the last"
  rm -f "$file"
}

echo "== TCP, one sender, as fast as it goes"
run tcp "$tcp_count"
echo "== UDP, paced at $udp_rate a second"
run udp "$udp_count" "$udp_rate"

echo "== Under Wine: Vorlane.exe takes 10,000 messages over UDP at 2,000 a second"
if [ -f build/windows/Vorlane.exe ] && [ -f build/native/tools/syslogbench/syslogbench ]; then
  # The GUI scenario measures the main window's answers meanwhile.
  bash scripts/gui-test.sh syslog_flood | grep -E 'PASS|FAIL|WM_NULL|messages in router.log|\|' 
else
  echo "  (build the native and windows presets first: bash scripts/build.sh native windows)"
fi
