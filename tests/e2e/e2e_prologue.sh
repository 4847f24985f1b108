# The common start of the end-to-end scripts under Wine (sourced, not run). Before
# sourcing it without arguments, a script sets e2e_usage, the words of its usage line
# after its own name, a word for each argument. The prologue then checks the arguments,
# moves the script onto a virtual X display of its own when none is set (Wine draws
# windows only on one), and gives it:
#   e2e_name       the script's name without ".sh", which starts its messages
#   scratch        a temporary folder, removed at exit
#   pids           the programs it started in the background, killed at exit if running
#   at_exit        a function the script may define, called at exit before the rest
#   fail TEXT      report TEXT and stop with status 1
#   win PATH       the Windows form of PATH
#   drive ARGS     runs ui_driver ($driver, which the script sets; a script on stdin
#                  with "-"), its output, without CRs, in $scratch/lines
#   expect_line T  the driver's last output holds T as a whole line
#   start VAR COMMAND...
#                  runs COMMAND in the background, killed at exit if still running, and
#                  puts its process id in VAR
#   expect_exit PID WHAT
#                  waits for the program started as PID, which must end with status 0
#   screenshot_folder FOLDER
#                  makes FOLDER and prints its absolute path
#   show_title_bars, fresh_wine_prefix, make_package: below.
# shellcheck shell=bash disable=SC2034 # the variables are the sourcing script's

e2e_name=$(basename "$0" .sh)
read -ra e2e_words <<<"$e2e_usage"
if [ $# -ne ${#e2e_words[@]} ]; then
  echo "usage: $0 $e2e_usage" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a bash "$0" "$@"
fi

scratch=$(mktemp -d)
pids=()
own_prefix=false
e2e_cleanup() {
  if declare -F at_exit >/dev/null; then
    at_exit || true
  fi
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  if $own_prefix; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  rm -rf "$scratch"
}
trap e2e_cleanup EXIT

fail() {
  echo "$e2e_name: $*" >&2
  exit 1
}
win() { winepath -w "$1"; }

drive() {
  wine "$driver" --timeout 30 "$@" >"$scratch/out" ||
    fail "ui_driver $* failed: $(cat "$scratch/out")"
  tr -d '\r' <"$scratch/out" >"$scratch/lines"
}
expect_line() {
  grep -qxF -- "$1" "$scratch/lines" || fail "expected the line \"$1\" in: $(cat "$scratch/lines")"
}

start() {
  local var=$1
  shift
  "$@" &
  pids+=("$!")
  printf -v "$var" %s "$!"
}
expect_exit() {
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2 ended with $status, not 0"
}

screenshot_folder() {
  mkdir -p "$1"
  (cd "$1" && pwd)
}

# Without a window manager Wine leaves the title bar to nobody; unmanaged windows get the
# frame and title bar Wine draws itself, so that screenshots show them.
show_title_bars() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
    fail "cannot set Wine's X11 driver to unmanaged windows"
}

# A Wine prefix of the script's own in the scratch folder, ended and removed at exit, so
# that what an installation leaves in the registry and on drive C: is all the script's.
# Wine neither offers .NET and the HTML engine nor adds the shortcuts a program makes to
# the desktop's menus. Its server and services stay up until the exit: started afresh for
# every `wine reg` and `winepath`, they would cost seconds each time. They are started
# with no output of their own, so none of them holds the pipe of a test runner that
# waits for the script's output to end.
fresh_wine_prefix() {
  export WINEPREFIX=$scratch/wineprefix WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  own_prefix=true
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 || fail "cannot start the Wine server for $WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 || fail "cannot make the Wine prefix $WINEPREFIX"
  show_title_bars
}

# make_package PATH GAME NAME: a battle package holding a battle list, two enciphered
# missions e1.tie and e2.tie (key 5A) and a readme.
make_package() {
  python3 - "$@" <<'PY'
import sys, zipfile
path, game, name = sys.argv[1], int(sys.argv[2]), sys.argv[3]
key = 0x5A
def field(text, width):
    data = text.encode('latin-1')[:width]
    return data + b'\0' * (width - len(data))
missions = ['e1.tie', 'e2.tie']
kzb = bytes([game, key]) + field(name, 51) + bytes([len(missions), 0])
kzb += b''.join(field(m, 21) for m in missions) + b'\0'
enc = lambda text: bytes(b ^ key for b in text.encode())
with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('battle.kzb', kzb)
    z.writestr('e1.tie', enc('first mission'))
    z.writestr('e2.tie', enc('second'))
    z.writestr('Readme.txt', 'About ' + name + '\r\n')
PY
}
