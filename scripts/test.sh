#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test suite.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
bash scripts/build.sh native windows
echo "== native tests"
ctest --preset native
echo "== Windows tests under Wine"
ctest --preset windows
