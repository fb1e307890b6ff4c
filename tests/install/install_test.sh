#!/usr/bin/env bash
# The setup program as an administrator runs it, silently, under Wine in a
# fresh prefix inside a loopback-only network namespace: install, run the
# installed program, upgrade over it while it runs, uninstall.
# Runs what scripts/build.sh and scripts/package.sh built.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
repo=$(pwd)
export GUI_ROOT=$repo/build/install-test SCENARIO_DIR=$repo/build/install-test SCENARIO_NAME=install
source tests/gui/gui_lib.sh
enter_loopback_namespace "$0" "$@"
locate_gui_programs "$repo/build/windows" "$repo/build/native/tools/routersim/routersim"
setup=$(ls "$repo"/build/package/Vorlane-*-setup.exe)
version=${setup##*/Vorlane-}
version=${version%-setup.exe}
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlane'
readonly RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'

rm -rf "$GUI_ROOT"
mkdir -p "$GUI_ROOT"
trap 'cleanup_scenario; stop_scene' EXIT
prepare_gui_scene
# No menu entries of the host's desktop for the shortcut.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

# The registry points the program at the simulator before it can start.
sim_start
preload_registry

run_values() {
  printf 'user: %s\nmachine: %s' "$(reg_data "HKCU\\$RUN_KEY" "$RUN_VALUE_NAME")" "$(reg_data "HKLM\\$RUN_KEY" "$RUN_VALUE_NAME")"
}
uninstalled() { ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }

wine "$setup" /S >>"$GUI_ROOT/setup.out" 2>&1 || fail "the silent install failed"
expect_same "uninstall entry: name" "$(reg_data "$UNINSTALL_KEY" DisplayName)" Vorlane
expect_same "uninstall entry: version" "$(reg_data "$UNINSTALL_KEY" DisplayVersion)" "$version"
expect_same "uninstall entry: publisher" "$(reg_data "$UNINSTALL_KEY" Publisher)" Kestrine
location=$(reg_data "$UNINSTALL_KEY" InstallLocation)
exe="$location\\Vorlane.exe"
expect_same "uninstall entry: icon" "$(reg_data "$UNINSTALL_KEY" DisplayIcon)" "$exe,0"
[[ $(reg_data "$UNINSTALL_KEY" EstimatedSize) =~ ^0x[1-9a-f] ]] || fail "the uninstall entry has no size"
[[ $location == *'\AppData\Local\Programs\Vorlane' ]] || fail "installed into $location"
APP_DIR=$(winepath -u "$location" 2>/dev/null)
shortcut=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs\\Vorlane.lnk" 2>/dev/null)
[ -f "$shortcut" ] || fail "no Start menu shortcut"
cmp -s "$APP_DIR/Vorlane.exe" "$repo/build/windows-release/Vorlane.exe" || fail "Vorlane.exe is not the release build"
[ -f "$APP_DIR/uninstall.exe" ] || fail "no uninstaller"
note "installed in $location, with its shortcut and uninstall entry"

start_vorlane "$exe"
wait_for 20 grep -q -s -F "$LAST_INTRUSION" "$APP_DIR/router.log" || fail "router.log lacks the router's log"
expect_text "$IDC_STATUS_LINE" is "Waiting..." 10000
show_main_window
drv click "$IDC_LAUNCH_AT_STARTUP"
expect_check "$IDC_LAUNCH_AT_STARTUP" 1
cp "$APP_DIR/router.log" "$GUI_ROOT/router.log.before"
note "the installed program writes router.log beside itself"

# The upgrade asks the running program to shut down; it saves its options,
# among them the start with Windows just ticked: for this user only, though
# the machine's Run key is writable here.
wine "$setup" /S >>"$GUI_ROOT/setup.out" 2>&1 || fail "the silent upgrade failed"
wait_vorlane_exit 5
expect_same "Run values after the upgrade" "$(run_values)" "$(printf 'user: %s\nmachine: ' "$exe")"
cmp -s "$APP_DIR/router.log" "$GUI_ROOT/router.log.before" || fail "the upgrade changed router.log"
expect_same "router address after the upgrade" "$(options_value routerAddress)" "127.0.0.1:$SIM_PORT"
note "the upgrade shut the program down through its window and kept router.log and the options"

# An earlier version's main window is a plain dialog. The upgrade closes one
# whose program is the copy installed here, and leaves another program's
# window of that title alone.
elsewhere=$GUI_ROOT/elsewhere
mkdir -p "$elsewhere"
for dir in "$elsewhere" "$APP_DIR"; do
  cp "$GUI_EARLIER_COPY" "$dir/Vorlane.exe"
  rm -f "$dir/earlier_copy.ready"
  (cd "$dir" && exec wine Vorlane.exe) >>"$GUI_ROOT/earlier.out" 2>&1 &
  echo $! >>"$SCENARIO_DIR/pids"
  wait_for 20 test -e "$dir/earlier_copy.ready" || fail "the stand-in earlier version did not start in $dir"
done
earlier=$!
wine "$setup" /S >>"$GUI_ROOT/setup.out" 2>&1 || fail "the silent upgrade over an earlier version failed"
wait_for 10 eval '! kill -0 "$earlier" 2>/dev/null' || fail "the upgrade did not close the earlier version"
cmp -s "$APP_DIR/Vorlane.exe" "$repo/build/windows-release/Vorlane.exe" || fail "the upgrade did not replace the earlier version"
drv wait-window "$MAIN_WINDOW_TITLE" 1000 >/dev/null || fail "the upgrade closed another program's window"
drv command "$ID_TRAY_SHUTDOWN" >/dev/null
note "the upgrade closed an earlier version's window of the copy installed here, and only that one"

# Another copy's registration is not this uninstall's to remove.
readonly other_copy='C:\Tools\Vorlane\Vorlane.exe'
wine reg add "HKLM\\$RUN_KEY" /v "$RUN_VALUE_NAME" /d "$other_copy" /f >/dev/null 2>&1
wine "$location\\uninstall.exe" /S >>"$GUI_ROOT/setup.out" 2>&1 || fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself; its last step removes the entry.
wait_for 20 uninstalled || fail "the uninstall entry is still there"
for file in "$APP_DIR/Vorlane.exe" "$APP_DIR/uninstall.exe" "$shortcut"; do [ ! -e "$file" ] || fail "$file is still there"; done
expect_same "Run values after the uninstall" "$(run_values)" "$(printf 'user: \nmachine: %s' "$other_copy")"
cmp -s "$APP_DIR/router.log" "$GUI_ROOT/router.log.before" || fail "the uninstall did not keep router.log"
expect_same "router address after the uninstall" "$(options_value routerAddress)" "127.0.0.1:$SIM_PORT"
note "the uninstall removed the program, its shortcut and its Run value, and kept router.log, the options and another copy's Run value"
echo "install_test: 1 passed, 0 failed"
