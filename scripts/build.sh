#!/usr/bin/env bash
# Configures and builds the given presets (default: native and windows).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native windows)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
for preset in "${presets[@]}"; do
  cmake --preset "$preset" -DVORLANE_WERROR=$werror >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done
