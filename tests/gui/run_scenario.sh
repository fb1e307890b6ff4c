#!/usr/bin/env bash
# Runs one GUI scenario by name; "--list" names them all in order.
# scripts/gui-test.sh calls it with the scene set up (see gui_lib.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "${1:-}" = --list ]; then
  grep -ho '^scenario_[a-z0-9_]*' "$here"/scenarios/*.sh | sed 's/^scenario_//'
  exit 0
fi
SCENARIO_NAME=$1
SCENARIO_DIR=${SCENARIO_DIR:?}
source "$here/gui_lib.sh"
for file in "$here"/scenarios/*.sh; do source "$file"; done
# A step that fails without a word of its own still says which it was.
trap 'code=$?; [ $code -eq 0 ] || [ -n "${FAILURE_TOLD:-}" ] || printf "FAILED: exit %s at: %s\n" $code "$BASH_COMMAND" >&2
      cleanup_scenario' EXIT
# GUI_TRACE=1 logs every step with its time, to find what waits.
if [ -n "${GUI_TRACE:-}" ]; then
  PS4='+ ${EPOCHREALTIME} '
  set -x
fi
"scenario_$SCENARIO_NAME"
