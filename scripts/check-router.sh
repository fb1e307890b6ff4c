#!/usr/bin/env bash
# Connectivity check without Wine: builds natively, starts the router
# simulator on loopback and shows its log and status pages as Vorlane's own
# router client fetches them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ -z "${VORLANE_LOOPBACK_ONLY:-}" ]; then
  bash scripts/setup.sh
  bash scripts/build.sh native
  # As root, run in a network namespace that holds only loopback, so
  # nothing can leave the machine even by mistake.
  if [ "$(id -u)" -eq 0 ] && unshare -n true 2>/dev/null; then
    exec unshare -n env VORLANE_LOOPBACK_ONLY=1 bash "$0" "$@"
  fi
else
  ip link set lo up
fi

build=build/native
portfile=$(mktemp)
"$build/tools/routersim/routersim" >"$portfile" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true; rm -f "$portfile"' EXIT
for _ in $(seq 100); do
  [ -s "$portfile" ] && break
  sleep 0.05
done
port=$(head -n1 "$portfile")
[ -n "$port" ] || { echo "check-router.sh: the router simulator did not start" >&2; exit 1; }

echo "== Router simulator on 127.0.0.1:$port: log page"
"$build/tools/routercheck/routercheck" "127.0.0.1:$port"
echo
echo "== Status page"
"$build/tools/routercheck/routercheck" "127.0.0.1:$port" --status
