#!/usr/bin/env bash
# Runs a command beside a router simulator on loopback, passing its port in
# VORLANE_ROUTERSIM_PORT. The Windows tests run under Wine and cannot start
# the native simulator themselves.
set -euo pipefail
sim=$1
shift
if [ ! -x "$sim" ]; then
  echo "with-routersim: no router simulator at $sim (build the native preset first)" >&2
  exit 1
fi
portfile=$(mktemp)
"$sim" >"$portfile" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -f "$portfile"' EXIT
for _ in $(seq 100); do
  [ -s "$portfile" ] && break
  sleep 0.05
done
port=$(head -n1 "$portfile")
if [ -z "$port" ]; then
  echo "with-routersim: $sim did not print its port" >&2
  exit 1
fi
VORLANE_ROUTERSIM_PORT=$port "$@"
