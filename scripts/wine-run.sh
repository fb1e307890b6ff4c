#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix. Without a
# display, a private virtual X server stands in (windows need one).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/scene.sh"
use_wine_prefix "${WINEPREFIX:-$VORLANE_REPO/build/wineprefix}"
if [ -z "${DISPLAY:-}" ]; then
  exec $FIXED_LAYOUT xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec $FIXED_LAYOUT wine "$@"
