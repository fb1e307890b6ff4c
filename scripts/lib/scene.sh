# The scene every script plays the program in: a network namespace that
# holds only loopback, a virtual display, a Wine prefix, the router
# simulator, and the program's options pointing at it. Sourced by the
# scripts and the GUI tests; it defines functions and variables only.
#
# It also reads the #define lines of resources/resource_ids.h, so control
# ids, window titles and registry names are spelt once: IDC_LOG_SCREEN=1003,
# MAIN_WINDOW_TITLE="Vorlane Access", OPTIONS_KEY_PATH, RUN_VALUE_NAME...

VORLANE_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Wine names Unix files in the locale's character set: UTF-8, so that a
# folder of any script keeps its name. Windows' ANSI code page stays 1252.
export LC_ALL=C.UTF-8

while read -r name value; do
  value=${value%%//*}
  value=${value%"${value##*[![:space:]]}"}
  value=${value#\"}
  value=${value%\"}
  printf -v "$name" '%s' "${value//\\\\/\\}"
done < <(sed -n 's/^#define \([A-Z_][A-Z0-9_]*\) \(.*\)$/\1 \2/p' "$VORLANE_REPO/resources/resource_ids.h")
readonly IDOK=1  # the default button of every dialog: "&Hide", "&Close"

# Wine maps the Windows shared user data page at a fixed address; with the
# address space randomised, now and then something already sits there and a
# Wine process dies at start ("failed to map the shared user data"). Wine
# processes run with the layout fixed.
readonly FIXED_LAYOUT="setarch $(uname -m) -R"

# Runs the calling script again inside a network namespace of its own that
# holds only loopback, and returns once inside it, so that no packet can
# leave the machine even by mistake. Needs root; without it the script stops,
# unless --if-root is given, in which case this returns 1 and the caller
# goes on with loopback addresses alone.
#   enter_loopback_namespace [--if-root] "$0" "$@"
enter_loopback_namespace() {
  local optional=0 script name
  if [ "$1" = --if-root ]; then optional=1; shift; fi
  script=$1
  shift
  name=$(basename "$script")
  if [ -z "${VORLANE_IN_NAMESPACE:-}" ]; then
    if [ "$(id -u)" -ne 0 ] || ! unshare -n true 2>/dev/null; then
      [ "$optional" -eq 1 ] && return 1
      echo "$name: running the program needs root for a loopback-only network namespace (unshare -n)" >&2
      exit 1
    fi
    exec unshare -n env VORLANE_IN_NAMESPACE=1 $FIXED_LAYOUT bash "$script" "$@"
  fi
  ip link set lo up
  if ip -o link show | grep -v -q ': lo:'; then
    echo "$name: this network namespace has more than loopback; refusing to run" >&2
    exit 1
  fi
}

XVFB_PID=

# A virtual X server of our own on the first free display number, of the
# size GUI_SCREEN (1024x768 unless set); its log and number go to the given
# folder.   start_display DIR
start_display() {
  local dir=$1
  mkdir -p "$dir"
  exec 3>"$dir/display"
  Xvfb -displayfd 3 -screen 0 "${GUI_SCREEN:-1024x768}x24" -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.05
  done
  [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  DISPLAY=:$(head -n1 "$dir/display")
  export DISPLAY
}

# WINEPREFIX and its companions for the given prefix folder, created when
# missing. Debian's Wine keeps its fonts apart; without them caption buttons
# draw as letters. (Without 32-bit Wine, wineboot reports its missing half;
# the prefix is whole for 64-bit programs.)   use_wine_prefix DIR
use_wine_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot --init >"$WINEPREFIX.wineboot.log" 2>&1 || true
  wineserver -w || true
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot did not create $WINEPREFIX" >&2; exit 1; }
}

# A Wine virtual desktop (on) gives the windows Wine's own frames and the tray
# icon a taskbar under a bare X server, where without a window manager Wine
# also waits 2 s for one at each hide. It is chosen when Wine's desktop
# process starts, so the Wine server is restarted.   use_wine_desktop on|off
use_wine_desktop() {
  wineserver -k 2>/dev/null || true
  if [ "$1" = on ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${GUI_SCREEN:-1024x768}" /f >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w
}

stop_scene() {
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

SIM_PID=
SIM_PORT=

# Starts the router simulator on loopback with the given options; it prints
# its port into DIR/sim.port. Sets SIM_PID and SIM_PORT; returns 1 when it
# does not start.   start_router_sim SIMULATOR DIR [OPTION...]
start_router_sim() {
  local simulator=$1 dir=$2
  shift 2
  mkdir -p "$dir"
  : >"$dir/sim.port"
  "$simulator" "$@" >"$dir/sim.port" 2>"$dir/sim.err" &
  SIM_PID=$!
  for _ in $(seq 100); do
    [ -s "$dir/sim.port" ] && break
    sleep 0.05
  done
  SIM_PORT=$(head -n1 "$dir/sim.port")
  [ -n "$SIM_PORT" ]
}

stop_router_sim() {
  [ -n "$SIM_PID" ] || return 0
  kill "$SIM_PID" 2>/dev/null || true
  wait "$SIM_PID" 2>/dev/null || true
  SIM_PID=
}

# A Windows path for a Unix one (drive Z: is the root).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Replaces the program's options in the current Wine prefix with the given
# router address and .reg lines (UTF-8), under the machine's and the user's
# key (the program reads the user's first), and removes its Run value; so the
# program never sees its factory router address. Returns 1 when the address
# is not in the registry afterwards.   preload_options FILE ADDRESS [REG-LINE...]
preload_options() {
  local file=$1 address=$2 root
  shift 2
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"%s"=-\r\n\r\n' "$RUN_VALUE_NAME"
    for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
      printf '[-%s\\%s]\r\n\r\n[%s\\%s]\r\n' "$root" "$OPTIONS_KEY_PATH" "$root" "$OPTIONS_KEY_PATH"
      printf '"routerAddress"="%s"\r\n' "$address"
      for line in "$@"; do printf '%s\r\n' "$line"; done
      printf '\r\n'
    done
  } | iconv -f UTF-8 -t UTF-16 >"$file"
  wine reg import "$(windows_path "$file")" >/dev/null 2>&1 || return 1
  options_value routerAddress | grep -q -F "$address"
}

# The data of one value of a key, as reg query shows it.   reg_data KEY NAME
reg_data() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

# The data of one value of the user's options key.
options_value() { reg_data "HKCU\\$OPTIONS_KEY_PATH" "$1"; }
