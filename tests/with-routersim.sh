#!/usr/bin/env bash
# Runs a command beside a router simulator on loopback, passing its port in
# VORLANE_ROUTERSIM_PORT: the unit tests' router, natively and under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/scene.sh"
sim=$1
shift
if [ ! -x "$sim" ]; then
  echo "with-routersim: no router simulator at $sim (build the native preset first)" >&2
  exit 1
fi
dir=$(mktemp -d)
trap 'stop_router_sim; rm -rf "$dir"' EXIT
start_router_sim "$sim" "$dir" || { echo "with-routersim: $sim did not print its port" >&2; exit 1; }
VORLANE_ROUTERSIM_PORT=$SIM_PORT "$@"
