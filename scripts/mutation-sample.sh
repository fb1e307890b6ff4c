#!/usr/bin/env bash
# Measures how many small faults the tests catch: applies each fault of the
# list below to src/ alone, rebuilds, runs the native unit tests and the GUI
# scenarios named for it. A fault is killed when a build or a test fails or
# hangs. Takes a while, so it is no part of scripts/test.sh.
#   bash scripts/mutation-sample.sh [--check] [NUMBER...]
# --check only verifies the list against the sources; NUMBERs pick faults.
# Needs the presets built (scripts/build.sh native windows) and a clean src/.
# Each fault's build and test output: build/mutation-sample/NN.log.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
shopt -u patsub_replacement 2>/dev/null || true

# One fault a line: FILE (under src/) | ORIGINAL => REPLACEMENT | SCENARIOS
# ORIGINAL must occur exactly once in FILE. SCENARIOS are the fastest GUI
# scenarios that run the faulted code, "-" when none does; files that only
# the Windows build compiles (shell/, *_win32.cpp) are judged by them alone.
fault_list() {
  cat <<'EOF'
text/external_argument.cpp | argument.replace(at, 2, lines); => argument.replace(at, 1, lines); | external_program_with_last_lines
text/path_parts.cpp | path.substr(0, separator + 1) => path.substr(0, separator) | start_hidden_with_auto_start
text/text_trim.cpp | last - first + 1 => last - first | router_status_window
text/password_scrambling.cpp | scrambled.size() > kClassicFormSize => scrambled.size() >= kClassicFormSize | options_saved_at_shutdown_and_loaded
text/password_scrambling.cpp | KeyTextByte(kScrambleKey.size() - i) => KeyTextByte(kScrambleKey.size() - i - 1) | options_saved_at_shutdown_and_loaded
text/window_geometry.cpp | rect.left < point.x && => rect.left <= point.x && | -
text/logpage/authorization_check.cpp | page.find(kRefusalText) != std::string_view::npos => page.find(kRefusalText) == std::string_view::npos | start_hidden_with_auto_start
text/logpage/date_text.cpp | hour % 12 == 0 ? 12 : hour % 12 => hour % 12 == 0 ? 0 : hour % 12 | start_hidden_with_auto_start
text/logpage/intruder_address.cpp | kAddressOffset = 4; => kAddressOffset = 5; | start_hidden_with_auto_start
text/logpage/log_line_renderer.cpp | LogEntry::Kind::Timed && options.logGMT => LogEntry::Kind::Timed && !options.logGMT | start_hidden_with_auto_start
text/logpage/log_page_scanner.cpp | kMessageOffset = 3; => kMessageOffset = 2; | start_hidden_with_auto_start
text/logpage/new_entry_selector.cpp | std::int64_t{time} > std::int64_t{lastDate} + 1 => std::int64_t{time} >= std::int64_t{lastDate} + 1 | start_hidden_with_auto_start
text/logpage/new_entry_selector.cpp | if (timedEmitted && !options.onlyIntrusion) emit(entry); => if (!options.onlyIntrusion) emit(entry); | start_hidden_with_auto_start
text/logpage/substring_filter.cpp | if (!MayContain(needle)) return false; => if (!MayContain(needle)) return true; | get_it_now_and_login
text/logpage/last_date_reset.cpp | ShowsNoLogLines(screenText) && !rememberDate => ShowsNoLogLines(screenText) || !rememberDate | get_it_now_and_login
text/router/login_request.cpp | request.pop_back(); => ; | hostile_refusal_after_login
text/router/login_request.cpp | (byte >= '0' && byte <= '9') => (byte >= '0' && byte < '9') | hostile_refusal_after_login
text/router/response_length.cpp | return bodyStart + *length; => return headerEnd + *length; | hostile_connection_held_open
text/router/router_address.cpp | address.substr(colon + 1) => address.substr(colon) | hostile_refused
text/router/status_page_parser.cpp | if (label == kLeaseTimeLabel) => if (label != kLeaseTimeLabel) | router_status_window
text/router/status_page_parser.cpp | if (!IsNoticeText(connection)) { => if (IsNoticeText(connection)) { | router_status_window
ports/in_memory_registry.cpp | return access == RegistryAccess::Write || access == RegistryAccess::AllAccess; => return access == RegistryAccess::Write; | -
ports/registry_values.cpp | (value >> (8 * i)) & 0xFF => (value >> (8 * (3 - i))) & 0xFF | options_saved_at_shutdown_and_loaded
ports/registry_values.cpp | {RegistryType::String, text + '\0'} => {RegistryType::String, text} | options_saved_at_shutdown_and_loaded
ports/tcp_socket_posix.cpp | target.sin_port = htons(port); => target.sin_port = port; | -
ports/tcp_socket_win32.cpp | static_cast<long>(timeoutMs / 1000) => static_cast<long>(timeoutMs / 100) | hostile_no_answer
ports/dialog_port_win32.cpp | buffer(static_cast<std::size_t>(length) + 1, => buffer(static_cast<std::size_t>(length), | hostile_refused
ports/registry_port_win32.cpp | buffer.resize(size); => ; | options_saved_at_shutdown_and_loaded
ports/system_port_win32.cpp | TextOrNull(directory) => nullptr | external_program_with_last_lines
engine/session/router_http_client.cpp | received.size() >= *expectedSize_ => received.size() > *expectedSize_ | hostile_connection_held_open
engine/session/router_http_client.cpp | std::erase(received, '\0'); => ; | hostile_garbage
engine/session/router_pages.cpp | answer.find(kWrongPasswordMarker1) != std::string::npos && => answer.find(kWrongPasswordMarker1) != std::string::npos || | get_it_now_and_login
engine/session/router_pages.cpp | pageText.clear(); => ; | get_it_now_and_login
engine/session/session_controller.cpp | std::min<std::uint64_t>(seconds * 1000, UINT32_MAX) => std::min<std::uint64_t>(seconds * 100, UINT32_MAX) | start_hidden_with_auto_start
engine/session/poll.cpp | if (IsNoticeText(response) || !IsAuthorizationRequired(response)) { => if (IsNoticeText(response) && !IsAuthorizationRequired(response)) { | start_hidden_with_auto_start
engine/mainwindow/main_window_engine.cpp | if (status_.Shown()) status_.Refresh(); => if (!status_.Shown()) status_.Refresh(); | router_status_window
engine/logupdate/log_screen.cpp | text_.size() > kLogScreenLimit || IsNoticeText(text_) => text_.size() > kLogScreenLimit | get_it_now_and_login
engine/logupdate/log_screen.cpp | mainDialog_.ScrollLines(IDC_LOG_SCREEN, kScrollToEndLines); => ; | start_hidden_with_auto_start
engine/logupdate/log_publisher.cpp | if (screen_.Text().empty()) screen_.Replace(kEmptyLogNotice); => if (!screen_.Text().empty()) screen_.Replace(kEmptyLogNotice); | hostile_garbage
engine/logupdate/log_screen.cpp | text_.size() > kLogScreenLimit ? std::string() : text_ => text_.size() >= kLogScreenLimit ? std::string() : text_ | hostile_refused
engine/settings/settings_store.cpp | if (code == kShortFormat) return DateFormat::Short; => if (code == kShortFormat) return DateFormat::Long; | start_hidden_with_auto_start
ports/local_files.cpp | OpenLocalFile(path, "ab") => OpenLocalFile(path, "wb") | start_hidden_with_auto_start
engine/alerts/alert_responder.cpp | if (IsOn(options_.alert)) PlayIntrusionSound(); => if (!IsOn(options_.alert)) PlayIntrusionSound(); | start_hidden_with_auto_start
engine/alerts/alert_responder.cpp | if (!mainDialog_.GetText(IDC_EXTERNAL_ARGUMENT).empty()) return; => if (mainDialog_.GetText(IDC_EXTERNAL_ARGUMENT).empty()) return; | -
engine/alerts/alert_responder.cpp | if (!ShellSucceeded(system_.OpenWithShell(request))) => if (ShellSucceeded(system_.OpenWithShell(request))) | external_program_with_last_lines
engine/routerstatus/router_status_controller.cpp | SetVisible(IDC_ROUTER_STATUS_CONNECTION_TIME, status.connectionRowVisible); => SetVisible(IDC_ROUTER_STATUS_CONNECTION_TIME, true); | hostile_status_page_without_labels
engine/routerstatus/router_status_controller.cpp | statusDialog_.SetText(id, ""); => ; | router_status_window
engine/routerstatus/router_status_controller.cpp | shown_ = true; => shown_ = false; | router_status_window
engine/settings/settings_store.cpp | kLogGmt{"logGMT", &Options::logGMT, true}; => kLogGmt{"logGMT", &Options::logGMT, false}; | options_saved_at_shutdown_and_loaded
engine/options/option_controls.cpp | options.passwordMasked = text == kPasswordMask; => options.passwordMasked = text != kPasswordMask; | options_saved_at_shutdown_and_loaded
engine/settings/settings_store.cpp | kDateFormat.valueName).value_or(kWindowsFormat) => kDateFormat.valueName).value_or(kLongFormat) | options_saved_at_shutdown_and_loaded
engine/settings/startup_registration.cpp | return *registeredPath == executablePath ? StartupRegistration::Registered => return *registeredPath != executablePath ? StartupRegistration::Registered | options_saved_at_shutdown_and_loaded
text/logpage/screen_address.cpp | std::string address = selection.substr(0, selection.find(':')); => std::string address = selection; | -
engine/mainwindow/main_window_engine.cpp | if (!IsOn(options_.autoStart) || session_.Running()) return; => if (!IsOn(options_.autoStart)) return; | auto_start_box_asks_to_connect
shell/main_window_gui.cpp | case WM_AUTO_START: engine_.OnAutoStartRequest(); return TRUE; => case WM_AUTO_START: return TRUE; | start_hidden_with_auto_start
engine/mainwindow/main_window_engine.cpp | case kCancelCommand: mainWindow_.Hide(); break; => case kCancelCommand: break; | one_copy_hide_and_show
engine/alerts/tray_animation.cpp | frame_ > kLastTimedFrame => frame_ >= kLastTimedFrame | start_hidden_with_auto_start
shell/control_event_gui.h | if (notifyCode == EN_CHANGE) return ControlEvent::TextChanged; => if (notifyCode == EN_CHANGE) return ControlEvent::Other; | options_saved_at_shutdown_and_loaded
shell/main_window_gui.cpp | if (message.message == WM_LBUTTONDBLCLK && => if (message.message == WM_LBUTTONDOWN && | double_click_address_copy
shell/main_window_gui.cpp | if (wParam == SIZE_MINIMIZED) => if (wParam == SIZE_MAXIMIZED) | one_copy_hide_and_show
shell/router_monitor_app_gui.cpp | ShowWindow(running, SW_RESTORE); => ; | one_copy_hide_and_show
engine/logupdate/log_file_writer.cpp | case Job::Kind::Notify: system_.PostToGuiThread(job.task); break; => case Job::Kind::Notify: break; | external_program_with_last_lines
engine/common/message_boxes.cpp | if (!open_.insert(text).second) return; => open_.insert(text); | -
engine/session/session_controller.cpp | page.screenText = screen_.TextForUpdate(); => ; | get_it_now_and_login
shell/main_window_gui.cpp | if (event == ControlEvent::Clicked) engine_.OnRouterStatusCommand(controlId); => if (event != ControlEvent::Clicked) engine_.OnRouterStatusCommand(controlId); | router_status_window
shell/tray_icon_gui.cpp | lstrcpynA(data_.szTip, tip.c_str(), sizeof data_.szTip); => ; | tray_tip_and_balloons_follow_the_router
engine/session/poll.cpp | return IsHttpAnswer(answer) ? PollResult::GotPage : PollResult::NoAnswer; => return PollResult::GotPage; | tray_tip_and_balloons_follow_the_router
engine/tray/tray_status.cpp | if (balloon == WatchBalloon::None || !options_.popupOnTrouble) return; => if (balloon == WatchBalloon::None) return; | -
EOF
}

readonly out=build/mutation-sample
die() { echo "mutation-sample: $*" >&2; exit 1; }

check_only=false
[ "${1:-}" = --check ] && { check_only=true; shift; }
mapfile -t lines < <(fault_list | grep -v '^[[:space:]]*$')
picked=("$@")
[ ${#picked[@]} -gt 0 ] || mapfile -t picked < <(seq ${#lines[@]})

# Splits fault N into file, orig, repl and scenarios.
parse() {
  local line=${lines[$1 - 1]} middle
  file=${line%% | *} scenarios=${line##* | }
  middle=${line#* | } && middle=${middle% | *}
  orig=${middle%% => *} repl=${middle#* => }
  [[ $middle == *" => "* && -n $file && -n $scenarios ]] || die "fault $1 is not 'FILE | ORIGINAL => REPLACEMENT | SCENARIOS': $line"
}

occurrences() { local rest=${1//"$2"/}; echo $(((${#1} - ${#rest}) / ${#2})); }
native_built() { [[ $1 != shell/* && $1 != *_win32.cpp ]]; }

# The list must stay honest as the code changes: every fault matches once.
known=" $(bash tests/gui/run_scenario.sh --list | tr '\n' ' ') "
gui_union=()
for n in "${picked[@]}"; do
  [[ $n =~ ^[0-9]+$ && $n -ge 1 && $n -le ${#lines[@]} ]] || die "no fault $n (1..${#lines[@]})"
  parse "$n"
  [ -f "src/$file" ] || die "fault $n: no file src/$file"
  text=$(<"src/$file")
  count=$(occurrences "$text" "$orig")
  [ "$count" -eq 1 ] || die "fault $n: '$orig' occurs $count times in src/$file, not once"
  [ "$scenarios" != - ] || native_built "$file" || die "fault $n: src/$file needs GUI scenarios"
  [ "$scenarios" = - ] && continue
  for s in $scenarios; do
    [[ $known == *" $s "* ]] || die "fault $n: no GUI scenario '$s'"
    [[ " ${gui_union[*]} " == *" $s "* ]] || gui_union+=("$s")
  done
done
if $check_only; then
  echo "all ${#picked[@]} faults match their files exactly once"
  exit 0
fi

[ -z "$(git status --porcelain -- src)" ] || die "src/ has uncommitted changes: commit them first"
[ -f build/native/CMakeCache.txt ] && [ -f build/windows/CMakeCache.txt ] ||
  die "build the presets first: bash scripts/build.sh native windows"
trap 'git checkout -q -- src' EXIT
trap 'exit 130' INT TERM
mkdir -p "$out"

# Runs one step with its output in $log; on failure names the step in $reason.
step() {
  local name=$1
  shift
  echo "== $name: $*" >>"$log"
  local code=0
  "$@" >>"$log" 2>&1 || code=$?
  [ "$code" -eq 0 ] && return 0
  reason=$name
  [ "$code" -eq 124 ] && reason+=" (timed out)"
  return 1
}
build_native() { step "native build" timeout 900 cmake --build --preset native --target vorlane_unit_tests -j2; }
unit_tests() { step "unit tests" timeout 300 ctest --preset native --output-on-failure; }
build_windows() { step "Windows build" timeout 900 cmake --build --preset windows --target Vorlane -j2; }
gui_tests() { step "GUI $*" timeout -k 10 900 bash scripts/gui-test.sh "$@"; }

# Killed when any step fails; the GUI runs only for what the units let through.
judge() {
  if native_built "$file"; then build_native && unit_tests || return 0; fi
  [ "$scenarios" = - ] && return 1
  # shellcheck disable=SC2086  # the scenario names are words
  build_windows && gui_tests $scenarios && return 1
  return 0
}

# A suite that fails unmutated would count its own failure as a kill.
log=$out/baseline.log
: >"$log"
reason=
build_native && unit_tests && build_windows && { [ ${#gui_union[@]} -eq 0 ] || gui_tests "${gui_union[@]}"; } ||
  die "the unmutated tree fails ($reason): see $log"
echo "baseline passes: unit tests and ${#gui_union[@]} GUI scenarios"

started=$(date +%s)
killed=0
survivors=()
for n in "${picked[@]}"; do
  parse "$n"
  log=$(printf '%s/%02d.log' "$out" "$n")
  printf 'fault %s: src/%s: %s => %s\n' "$n" "$file" "$orig" "$repl" >"$log"
  IFS= read -r -d '' text <"src/$file" || true
  printf '%s' "${text/"$orig"/"$repl"}" >"src/$file"
  begin=$(date +%s)
  reason=
  if judge; then
    killed=$((killed + 1))
    verdict="killed   [$reason]"
  else
    verdict="SURVIVED"
    survivors+=("$(printf '%2d %s: %s => %s' "$n" "$file" "$orig" "$repl")")
  fi
  git checkout -q -- "src/$file"
  printf '%2d %s %s: %s => %s (%d s)\n' "$n" "$verdict" "$file" "$orig" "$repl" $(($(date +%s) - begin))
done

# Leave the builds matching the sources again.
log=$out/rebuild.log
build_native && build_windows || die "rebuilding the unmutated tree failed: see $log"
echo "killed $killed of ${#picked[@]} in $((($(date +%s) - started + 59) / 60)) min"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "survivors:"
  printf '  %s\n' "${survivors[@]}"
fi
