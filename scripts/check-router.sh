#!/usr/bin/env bash
# Connectivity check without Wine: builds natively, starts the router
# simulator on loopback and shows its log and status pages as Vorlane's own
# router client fetches them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/scene.sh
if [ -z "${VORLANE_IN_NAMESPACE:-}" ]; then
  bash scripts/setup.sh
  bash scripts/build.sh native
fi
enter_loopback_namespace --if-root "$0" "$@" || true

build=build/native
trap stop_router_sim EXIT
start_router_sim "$build/tools/routersim/routersim" build/check-router ||
  { echo "check-router.sh: the router simulator did not start" >&2; exit 1; }

echo "== Router simulator on 127.0.0.1:$SIM_PORT: log page"
"$build/tools/routercheck/routercheck" "127.0.0.1:$SIM_PORT"
echo
echo "== Status page"
"$build/tools/routercheck/routercheck" "127.0.0.1:$SIM_PORT" --status
