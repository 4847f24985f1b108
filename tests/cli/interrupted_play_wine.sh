#!/usr/bin/env bash
# vantrel.exe play under Wine, ended with Ctrl+C from the player's terminal while the game
# runs: the console's control handler ends the stand-in game, the executable and the
# missions are put back, and vantrel.exe exits with 130 (128 + SIGINT), as on Linux.
#
# The terminal is a pseudo-terminal of `script`; Wine's console turns the Ctrl+C typed
# into it into the console control event a Windows console program receives.
set -euo pipefail
e2e_usage="VANTREL_EXE STAND_IN_PLAYER_EXE"
# shellcheck source=tests/e2e/e2e_prologue.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_prologue.sh"
vantrel=$1
player=$2

registry=$scratch/registry.reg
xvt=$scratch/XVT
mkdir -p "$scratch/launcher" "$xvt/TRAIN" "$xvt/KZMISS"
wine "$vantrel" --registry "$(win "$registry")" folders set launcher "$(win "$scratch/launcher")" \
  >/dev/null 2>&1 || fail "cannot set the launcher folder"
wine "$vantrel" --registry "$(win "$registry")" folders set xvt "$(win "$xvt")" >/dev/null 2>&1 ||
  fail "cannot set X-Wing vs. TIE Fighter's folder"

# X-Wing vs. TIE Fighter as far as vantrel can tell: the stand-in padded to the release's
# size. The transports patch writes "TIEADV" and a NUL at 0x12AB8F (1223567).
python3 - "$player" "$xvt/Z_XVT__.EXE" "$xvt/KZMISS" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
assert len(data) < 0x12AB8F, "the stand-in must fit below the patch row"
open(sys.argv[2], 'wb').write(data + b'\0' * (1422336 - len(data)))
key = 0x5A
def field(text, width):
    return text.encode('latin-1') + b'\0' * (width - len(text))
kzb = bytes([1, key]) + field('Held', 51) + bytes([1, 0]) + field('m1.tie', 21) + b'\0'
open(sys.argv[3] + '/Battle.kzb', 'wb').write(kzb)
open(sys.argv[3] + '/m1.tie', 'wb').write(bytes(b ^ key for b in b'first mission'))
PY
cp "$xvt/Z_XVT__.EXE" "$scratch/installed.exe"
printf 'file TRAIN/m1.tie\nself 1223567 7\nwait-for go.txt\nfile go.txt\n' >"$xvt/probe.txt"

# The terminal's keyboard: a pipe the test types into, opened both ways so that neither
# side waits for the other to open it. (The prologue's `start` would give the program
# an empty input.)
mkfifo "$scratch/keys"
exec 3<>"$scratch/keys"
command="wine '$vantrel' --registry '$(win "$registry")' play xvt --transports"
script -qefc "stty cols 200; $command" /dev/null <&3 >"$scratch/terminal" &
play=$!
pids+=("$play")

for _ in $(seq 600); do
  grep -q '^self ' "$xvt/played.log" 2>/dev/null && break
  sleep 0.1
done
played=$(tr -d '\r' <"$xvt/played.log")
grep -qx 'file TRAIN/m1.tie 13 6669727374206D697373696F6E' <<<"$played" ||
  fail "the game did not find the plain mission: $played"
grep -qx 'self 1223567 54494541445600' <<<"$played" || fail "the game was not patched: $played"
[ -f "$xvt/VNTL___.jnl" ] || fail "no play journal while the game runs"

printf '\003' >&3
status=0
wait "$play" || status=$?
exec 3>&-
# What the terminal shows, without the console's escape sequences: a cursor moved right
# stands for as many blanks.
terminal=$(perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]|\r//g' \
  "$scratch/terminal")
[ "$status" -eq 130 ] || fail "vantrel.exe ended with $status, not 130: $terminal"
message='the play was interrupted (signal 2); the game was ended and its executable and missions'
grep -qF "$message put back" <<<"$terminal" || fail "no message of the interruption: $terminal"
cmp -s "$xvt/Z_XVT__.EXE" "$scratch/installed.exe" || fail "the executable was not put back"
! grep -q '^file go.txt' "$xvt/played.log" || fail "the game was let go instead of ended"
left=$(cd "$xvt" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
expected="./KZMISS ./KZMISS/Battle.kzb ./KZMISS/m1.tie ./TRAIN ./Z_XVT__.EXE ./played.log"
[ "$left" = "$expected ./probe.txt " ] || fail "the game's folder holds: $left"
echo "$e2e_name: Ctrl+C ended the game, put everything back and exited with 130"
