#!/usr/bin/env bash
# The launcher end to end: VNTL.exe under Wine, driven through its real windows by
# ui_driver as a player would. It lays out a launcher folder and the four game folders
# in the registry, opens a package whose path holds a blank from the command line, checks
# the splash, the four battle labels and the option toggles, plays X-Wing Alliance with
# a stand-in game of the release's size (which records the patch and the plain missions
# it finds while it runs), opens a second package while the game runs (not loaded, and
# the player told so) and a third once it has ended (loaded by the running launcher),
# looks at Directories and About, and quits with Esc. Screenshots of the splash, the
# main window and each dialog go to the screenshot folder.
set -euo pipefail

e2e_usage="UI_DRIVER_EXE VNTL_EXE STAND_IN_PLAYER_EXE PARK_POINTER_EXE SCREENSHOT_FOLDER"
# shellcheck source=tests/e2e/e2e_prologue.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_prologue.sh"

driver=$1
vntl=$2
player=$3
park=$4
shots=$(screenshot_folder "$5")
world=$scratch/world
at_exit() {
  wine reg delete 'HKLM\Software\Morvain Unlimited' /f /reg:32 >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Morvain Unlimited' /f /reg:32 >/dev/null 2>&1 || true
}

hex() { od -An -v -tx1 | tr -d ' \n' | tr a-f A-F; }

# The world: Setup's keys below HKEY_LOCAL_MACHINE, as a fresh installation has them.
launcher=$world/Vantrel
games=$world/Games
mkdir -p "$launcher" "$games/TIE" "$games/XvT/BalanceOfPower" "$games/XWA/MISSIONS" \
  "$world/My Battles"
key='HKLM\Software\Morvain Unlimited\VNTL'
wine reg add "$key" /v 'Install Path' /d "$(win "$launcher")" /f /reg:32 >/dev/null
wine reg add "$key" /v 'Last Dir' /d 'C:\' /f /reg:32 >/dev/null
wine reg add "$key\\TIE" /v 'Install Path' /d "$(win "$games/TIE")" /f /reg:32 >/dev/null
wine reg add "$key\\XVT" /v 'Install Path' /d "$(win "$games/XvT")" /f /reg:32 >/dev/null
wine reg add "$key\\BOP" /v 'Install Path' /d "$(win "$games/XvT/BalanceOfPower")" /f /reg:32 >/dev/null
wine reg add "$key\\XWA" /v 'Install Path' /d "$(win "$games/XWA")" /f /reg:32 >/dev/null

# X-Wing Alliance 2.02 as far as the launcher can tell: the stand-in padded to the
# release's size. Its patch row writes 90 90 at 0x15772E (1406766).
python3 - "$player" "$games/XWA/XWINGALLIANCE.EXE" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
assert len(data) < 0x15772E, "the stand-in must fit below the patch row"
open(sys.argv[2], 'wb').write(data + b'\0' * (2151936 - len(data)))
PY
cp "$games/XWA/XWINGALLIANCE.EXE" "$scratch/xwa_installed.exe"
# The pilot the game last flew, named in its configuration file; after the battle the
# launcher seals the pilot file: the byte at 0x1B3B9 becomes ('u' - 10) ^ 22 = 47.
printf 'lastpilot Luke\r\n' >"$games/XWA/config.cfg"
python3 - "$games/XWA/Luke0.plt" <<'PY'
import sys
pilot = bytearray(0x1C000)
pilot[1] = ord('u')
pilot[0x1148A] = 0x10
pilot[0x1149A] = 0x22
open(sys.argv[1], 'wb').write(pilot)
PY
printf 'file MISSIONS/e1.tie\nfile MISSIONS/e2.tie\nself 1406766 2\nwait-for go.txt\n' \
  >"$games/XWA/probe.txt"

# setups_last_dir_kept WHAT: Setup's Last Dir below HKEY_LOCAL_MACHINE is still C:\.
setups_last_dir_kept() {
  wine reg query "$key" /v 'Last Dir' /reg:32 | tr -d '\r' | grep -q 'REG_SZ *C:\\$' ||
    fail "Setup's Last Dir was changed by $1"
}

make_package "$world/My Battles/Endor Run.kzm" 3 'Endor Run'
make_package "$world/My Battles/Second Wave.kzm" 0 'Second Wave'
make_package "$world/My Battles/Third Wave.kzm" 0 'Third Wave'
make_package "$world/My Battles/Fourth Wave.kzm" 2 'Fourth Wave'

# Start with a package: staged before the main window shows, Last Dir unchanged.
start launcher_pid wine "$vntl" "$(win "$world/My Battles/Endor Run.kzm")"

# The first program with windows in a fresh Wine prefix can take long to show them.
drive - <<SCRIPT
timeout 120
wait "#32770::"
screenshot "#32770::" "$(win "$shots/vntl_splash.png")"
timeout 30
wait "Vantrel"
expect-text "Vantrel" 1062 "No battle installed"
expect-text "Vantrel" 1061 "No battle installed"
expect-text "Vantrel" 1064 "No battle installed"
expect-text "Vantrel" 1063 "Endor Run"
expect-text "Vantrel" 1068 "Idle"
controls "Vantrel"
expect-menu "Vantrel" 40012 greyed unchecked
expect-menu "Vantrel" 40014 enabled unchecked
command "Vantrel" 40014
expect-menu "Vantrel" 40014 checked
command "Vantrel" 40010
expect-menu "Vantrel" 40010 checked
expect-menu "Vantrel" 40014 unchecked
command "Vantrel" 40010
expect-menu "Vantrel" 40010 unchecked
expect-menu "Vantrel" 40014 unchecked
command "Vantrel" 40012
expect-menu "Vantrel" 40012 greyed unchecked
command "Vantrel" 40011
expect-menu "Vantrel" 40011 checked
screenshot "Vantrel" "$(win "$shots/vntl_main.png")"
hover "Vantrel" 1052
wait "tooltips_class32::Press to start TIE Figher '95"
hover "Vantrel" 1055
wait "tooltips_class32::Press to start X-wing Alliance"
hover "Vantrel" 1074
wait "tooltips_class32::Status maybe?"
SCRIPT
expect_line '1052 Button "" visible enabled'
expect_line '1074 Static "Status:" visible enabled'
expect_line '1068 Static "Idle" visible enabled'
[ -f "$games/XWA/KZMISS/Battle.kzb" ] || fail "the command-line package was not staged"
[ -f "$games/XWA/KZMISS/e1.tie" ] || fail "the enciphered mission was not staged"
setups_last_dir_kept "a command-line load"

# Play X-Wing Alliance with custom briefing audio on. The stand-in waits for go.txt, so
# the launcher is still waiting for the game while the second package is opened.
drive click "Vantrel" 1055
for _ in $(seq 300); do
  grep -q '^self ' "$games/XWA/played.log" 2>/dev/null && break
  sleep 0.1
done
grep -q '^self ' "$games/XWA/played.log" || fail "the stand-in game did not run"

start second_pid wine "$vntl" "$(win "$world/My Battles/Second Wave.kzm")"
drive - <<SCRIPT
wait "#32770::VNTL"
screenshot "#32770::VNTL" "$(win "$shots/vntl_not_loaded.png")"
answer "#32770::VNTL" ok
SCRIPT
expect_line "$(win "$world/My Battles/Second Wave.kzm")"
expect_line "was not loaded because a game is running. Open it again when the game has ended."
expect_exit "$second_pid" "the second launcher"
[ ! -e "$games/TIE/KZMISS" ] || fail "the package of the second launcher was staged"

: >"$games/XWA/go.txt"
drive expect-text "Vantrel" 1068 "Idle"

# While it ran, the game saw its missions in plain text and its executable patched;
# afterwards the missions are gone and the executable is byte for byte as installed.
played=$(tr -d '\r' <"$games/XWA/played.log")
grep -qxF "file MISSIONS/e1.tie 13 $(printf 'first mission' | hex)" <<<"$played" ||
  fail "the game did not find the first mission in plain text: $played"
grep -qxF "file MISSIONS/e2.tie 6 $(printf 'second' | hex)" <<<"$played" ||
  fail "the game did not find the second mission in plain text: $played"
grep -qxF "self 1406766 9090" <<<"$played" || fail "the game did not run patched: $played"
[ -z "$(ls -A "$games/XWA/MISSIONS")" ] || fail "plain missions left: $(ls "$games/XWA/MISSIONS")"
cmp -s "$games/XWA/XWINGALLIANCE.EXE" "$scratch/xwa_installed.exe" ||
  fail "the executable was not restored"
[ ! -e "$games/XWA/VNTL___.tmp" ] || fail "the executable's backup was left behind"
[ "$(od -An -tx1 -j $((0x1B3B9)) -N1 "$games/XWA/Luke0.plt" | tr -d ' ')" = 47 ] ||
  fail "the pilot who flew the battle was not sealed"

# Once the game has ended, a package opened from the shell is loaded by the running
# launcher: no chooser, Last Dir unchanged, and the second start ends with 0.
status=0
wine "$vntl" "$(win "$world/My Battles/Third Wave.kzm")" || status=$?
[ "$status" -eq 0 ] || fail "the third launcher ended with $status, not 0"
drive expect-text "Vantrel" 1062 "Third Wave"
setups_last_dir_kept "a package handed over"

# "Load Battle": the system's chooser lists packages only, and the chosen package's
# folder becomes the new Last Dir, stored for this user only.
drive - <<SCRIPT
command "Vantrel" 40020
wait "Select Mission File To Open"
expect-text "Select Mission File To Open" 1136 "KZ Mission Files (*.kzm)"
screenshot "Select Mission File To Open" "$(win "$shots/vntl_chooser.png")"
set-text "Select Mission File To Open" 1148 "$(win "$world/My Battles/Fourth Wave.kzm")"
key "Select Mission File To Open" enter
gone "Select Mission File To Open"
expect-text "Vantrel" 1064 "Fourth Wave"
SCRIPT
wine reg query 'HKCU\Software\Morvain Unlimited\VNTL' /v 'Last Dir' /reg:32 | tr -d '\r' |
  grep -qF "REG_SZ    $(win "$world/My Battles")" || fail "Last Dir was not stored for the user"
setups_last_dir_kept "a package chosen by the player"

# Directories shows the stored folders; Cancel keeps them.
drive - <<SCRIPT
command "Vantrel" 40008
wait "Directories"
expect-text "Directories" 1046 "$(win "$games/TIE")"
expect-text "Directories" 1047 "$(win "$games/XvT")"
expect-text "Directories" 1048 "$(win "$games/XvT/BalanceOfPower")"
expect-text "Directories" 1049 "$(win "$games/XWA")"
screenshot "Directories" "$(win "$shots/vntl_directories.png")"
click "Directories" 1051
gone "Directories"
command "Vantrel" 40006
SCRIPT
# About has the main window's caption; once shown it is the first window of that name,
# the one in front.
for _ in $(seq 60); do
  wine "$driver" --timeout 1 text "Vantrel" 1073 >"$scratch/out" 2>/dev/null && break
  sleep 0.5
done
grep -qF "author@example.org" "$scratch/out" || fail "the About dialog did not show its links"
# The pointer rests on a link of the centred dialog; its tooltip would cover the others.
wine "$park" || fail "cannot move the pointer away"
drive - <<SCRIPT
controls "Vantrel"
screenshot "Vantrel" "$(win "$shots/vntl_about.png")"
click "Vantrel" 1
expect-text "Vantrel" 1068 "Idle"
command "Vantrel" 40005
answer "#32770::VNTL" ok "Can't find help file!"
key "Vantrel" esc
gone "Vantrel"
SCRIPT
expect_line '1071 Static "KZ Club Home Page" visible enabled'
expect_line '1074 Static "KZ Battle Archive" visible enabled'
expect_line '1072 Static "KZ Club Office" visible enabled'

expect_exit "$launcher_pid" "the launcher"
echo "vntl_e2e: passed; screenshots in $shots/vntl_*.png"
