#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test suite.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
bash scripts/build.sh native native-clang windows tsan asan
echo "== Generated assets: the files match their script"
python3 resources/generate_assets.py --check
echo "== Packages: the installer and the portable zip"
bash scripts/package.sh
echo "== native tests"
ctest --preset native
echo "== native tests (clang)"
ctest --preset native-clang
echo "== native tests under ThreadSanitizer"
ctest --preset tsan
echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --preset asan
echo "== Windows tests under Wine"
ctest --preset windows
echo "== GUI tests: Vorlane.exe under Wine against the router simulator"
bash scripts/gui-test.sh
echo "== Install test: the installer under Wine (install, upgrade, uninstall)"
bash tests/install/install_test.sh
