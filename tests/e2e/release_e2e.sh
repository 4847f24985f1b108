#!/usr/bin/env bash
# The release end to end, in a Wine prefix of its own: packs the built programs as
# scripts/make-release does (twice, and the two packings must be byte for byte the same),
# walks Setup.exe through its real pages into "C:\Program Files\Vantrel Test", loads a
# battle with the installed VNTL.exe and plays it with a stand-in game, then runs the
# installed Uninstall.exe: No removes nothing; Yes and Start remove every file the install
# log names, the registry entries (read back with `wine reg query`), the shortcuts and
# their Start Menu folders, and keep a file the log does not name and the maker's key
# "Software\Morvain Unlimited"; the running Uninstall.exe goes when Wine restarts. Then
# the same again with Setup.exe /SILENT and Uninstall.exe /SILENT. Screenshots of every
# Setup page, the quit question and Uninstall's window before and after Start go to the
# screenshot folder as release_*.png.
set -euo pipefail

e2e_usage="UI_DRIVER_EXE STAND_IN_PLAYER_EXE PACK_RELEASE_EXE BUILD_FOLDER SCREENSHOT_FOLDER"
# shellcheck source=tests/e2e/e2e_prologue.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_prologue.sh"

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
driver=$1
player=$2
packer=$3
build=$4
shots=$(screenshot_folder "$5")

fresh_wine_prefix

# The release, packed twice from the same build.
PACK_RELEASE=$packer "$root/scripts/make-release" --pack-only "$build" "$scratch/dist" >/dev/null
PACK_RELEASE=$packer "$root/scripts/make-release" --pack-only "$build" "$scratch/again" >/dev/null
dist=$scratch/dist
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for file in _Setup.pak Setup.exe "Vantrel-$version.zip"; do
  cmp -s "$dist/$file" "$scratch/again/$file" || fail "two packings gave different $file"
done
installed_names=(VNTL.exe Uninstall.exe vantrel.exe VNTL.chm Readme.txt)
[ "$(unzip -Z1 "$dist/_Setup.pak" | tr '\n' ' ')" = "${installed_names[*]} " ] ||
  fail "_Setup.pak holds $(unzip -Z1 "$dist/_Setup.pak" | tr '\n' ' ')"
[ "$(unzip -Z1 "$dist/Vantrel-$version.zip" | tr '\n' ' ')" = \
  "Vantrel-$version/Setup.exe Vantrel-$version/_Setup.pak " ] ||
  fail "the download holds $(unzip -Z1 "$dist/Vantrel-$version.zip" | tr '\n' ' ')"

# The games as their installers left them: X-Wing Alliance with a stand-in game that
# lists the plain missions it finds, and its registry entry, which Setup copies.
games=$scratch/Games
mkdir -p "$games/XWA/MISSIONS" "$scratch/My Battles"
cp "$player" "$games/XWA/XWINGALLIANCE.EXE"
printf 'file MISSIONS/e1.tie\nfile MISSIONS/e2.tie\n' >"$games/XWA/probe.txt"
# The pilot the game last flew, whom the launcher seals after the battle.
printf 'lastpilot Luke\r\n' >"$games/XWA/config.cfg"
head -c $((0x1C000)) /dev/zero >"$games/XWA/Luke0.plt"
wine reg add 'HKLM\Software\LucasArts Entertainment Company LLC\X-Wing Alliance\v1.0' \
  /v 'Install Path' /d "$(win "$games/XWA")" /f /reg:32 >/dev/null
# The player's own launcher settings, which Uninstall removes too.
wine reg add 'HKCU\Software\Morvain Unlimited\VNTL' /v 'Last Dir' /d 'C:\' /f /reg:32 >/dev/null
make_package "$scratch/My Battles/Endor Run.kzm" 3 'Endor Run'

folder='C:\Program Files\Vantrel Test'
unix_folder=$(winepath -u "$folder")
key='HKLM\Software\Morvain Unlimited\VNTL'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'

# reg_value KEY NAME: the data of a value in the 32-bit view ("" for the key's default
# value), or nothing when the key or value is missing.
reg_value() {
  local found
  if [ -z "$2" ]; then
    found=$(wine reg query "$1" /ve /reg:32 2>/dev/null) || return 0
    sed -n 's/^    (Default)    REG_[A-Z_]*    //p' <<<"${found//$'\r'/}"
  else
    found=$(wine reg query "$1" /v "$2" /reg:32 2>/dev/null) || return 0
    sed -n "s/^    $2    REG_[A-Z_]*    //p" <<<"${found//$'\r'/}"
  fi
}
key_exists() { wine reg query "$1" /reg:32 >/dev/null 2>&1; }
expect_value() {
  [ "$(reg_value "$1" "$2")" = "$3" ] ||
    fail "$1 \"$2\" is \"$(reg_value "$1" "$2")\", not \"$3\""
}
# The common Start Menu and desktop of Wine's profile.
start_menu_shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvain Unlimited/Vantrel/Vantrel.LNK"
desktop_shortcut="$WINEPREFIX/drive_c/users/Public/Desktop/Vantrel.LNK"
shortcuts() { find "$WINEPREFIX/drive_c" -iname 'Vantrel.lnk' | sort; }
start_menu_folders() { find "$WINEPREFIX/drive_c" -type d -name 'Morvain Unlimited' | sort; }

# installed DESKTOP: the files, the log, the keys and the shortcuts Setup leaves; DESKTOP
# is yes when the desktop shortcut was asked for.
installed() {
  local name
  for name in "${installed_names[@]}"; do
    cmp -s "$unix_folder/$name" <(unzip -p "$dist/_Setup.pak" "$name") ||
      fail "$name was not installed as packed"
  done
  printf '%s\r\n' "$folder" "${installed_names[@]}" | cmp -s - "$unix_folder/install.log" ||
    fail "unexpected install log: $(cat -A "$unix_folder/install.log")"
  expect_value "$key" 'Install Path' "$folder"
  expect_value "$key" 'Last Dir' 'C:\'
  expect_value "$key\\XWA" 'Install Path' "$(win "$games/XWA")"
  expect_value "$key\\BOP" 'Install Path' '\BalanceOfPower'
  expect_value 'HKCR\.kzm' '' kzm_ext
  expect_value 'HKCR\kzm_ext\DefaultIcon' '' "$folder\\VNTL.exe,0"
  expect_value 'HKCR\kzm_ext\shell\open\command' '' "\"$folder\\VNTL.exe\" \"%1\""
  expect_value "$uninstall_key" DisplayName Vantrel
  expect_value "$uninstall_key" UninstallString "$folder\\Uninstall.exe"
  expect_value "$uninstall_key" DisplayVersion "$version"
  expect_value "$uninstall_key" Publisher 'Morvain Unlimited'
  local expected=$start_menu_shortcut
  [ "$1" = yes ] && expected=$(printf '%s\n' "$start_menu_shortcut" "$desktop_shortcut" | sort)
  [ "$(shortcuts)" = "$expected" ] || fail "shortcuts made: $(shortcuts)"
}

# removed: what Setup left is gone but for the unlogged file and the maker's key. The
# running Uninstall.exe could not delete its own file; it goes when Windows next starts.
removed() {
  local name
  [ -f "$unix_folder/Uninstall.exe" ] || fail "Uninstall.exe deleted itself while it ran"
  wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
    /v PendingFileRenameOperations | tr -d '\r' | grep -qF "$folder\Uninstall.exe" ||
    fail "Uninstall.exe is not deleted at the next start of Windows"
  wineboot -r >/dev/null 2>&1 || fail "cannot restart Wine"
  for name in "${installed_names[@]}" install.log; do
    [ ! -e "$unix_folder/$name" ] || fail "$name was left in the install folder"
  done
  [ -f "$unix_folder/My Notes.txt" ] || fail "the file the log does not name was removed"
  for gone in "$key" 'HKCR\.kzm' 'HKCR\kzm_ext' "$uninstall_key" \
    'HKCU\Software\Morvain Unlimited\VNTL'; do
    ! key_exists "$gone" || fail "$gone was left in the registry"
  done
  key_exists 'HKLM\Software\Morvain Unlimited' || fail "the maker's key was removed"
  [ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"
  [ -z "$(start_menu_folders)" ] || fail "Start Menu folders left: $(start_menu_folders)"
  [ -f "$games/XWA/KZMISS/Battle.kzb" ] || fail "the staged battle was removed"
}

# Setup through its pages, started from the release's folder as a player starts it.
(cd "$dist" && exec wine Setup.exe) &
setup_pid=$!
pids+=("$setup_pid")
drive - <<SCRIPT
timeout 120
wait "Welcome "
timeout 30
screenshot "Welcome " "$(win "$shots/release_setup_welcome.png")"
click "Welcome " 1012
wait "Agreement"
controls "Agreement"
screenshot "Agreement" "$(win "$shots/release_setup_agreement.png")"
click "Agreement" 1029
wait "Destination"
set-text "Destination" 1040 "$folder"
screenshot "Destination" "$(win "$shots/release_setup_destination.png")"
click "Destination" 1035
wait "Copy Files"
key "Copy Files" esc
wait "#32770::Setup"
screenshot "#32770::Setup" "$(win "$shots/release_setup_quit.png")"
click "#32770::Setup" 1042
gone "#32770::Setup"
screenshot "Copy Files" "$(win "$shots/release_setup_copy.png")"
click "Copy Files" 1032
wait "Finish"
screenshot "Finish" "$(win "$shots/release_setup_finish.png")"
click "Finish" 1028
click "Finish" 1024
gone "Finish"
SCRIPT
# The Agreement page holds the disclaimer, Yes, No and Back, and nothing else.
expect_line '1029 Button "Yes" visible enabled'
expect_line '1020 Button "No" visible enabled'
expect_line '1030 Button "< Back" visible enabled'
expect_exit "$setup_pid" "Setup"
installed yes

# The installed launcher loads a battle from the command line and plays it.
start launcher_pid wine "$folder\\VNTL.exe" "$(win "$scratch/My Battles/Endor Run.kzm")"
drive - <<SCRIPT
timeout 60
wait "Vantrel"
expect-text "Vantrel" 1063 "Endor Run"
click "Vantrel" 1055
expect-text "Vantrel" 1068 "Idle"
key "Vantrel" esc
gone "Vantrel"
SCRIPT
wait "$launcher_pid" || fail "the launcher did not end cleanly"
grep -q '^file MISSIONS/e1.tie 13 ' "$games/XWA/played.log" ||
  fail "the game did not find its first mission: $(cat "$games/XWA/played.log")"
[ -z "$(ls -A "$games/XWA/MISSIONS")" ] || fail "plain missions left: $(ls "$games/XWA/MISSIONS")"

printf 'mine\r\n' >"$unix_folder/My Notes.txt"

# Uninstall from the install folder, as the list of installed programs starts it: No
# removes nothing.
uninstaller=$(reg_value "$uninstall_key" UninstallString)
start uninstall_pid wine "$uninstaller"
drive answer "#32770::Confirm File Deletion" no
expect_line "Are you sure you want to completely remove the selected application and all of its componets?"
wait "$uninstall_pid" || fail "Uninstall ended badly after No"
installed yes

start uninstall_pid wine "$uninstaller"
window="Remove Programs From Your Computer"
drive - <<SCRIPT
answer "#32770::Confirm File Deletion" yes
wait "$window"
screenshot "$window" "$(win "$shots/release_uninstall.png")"
click "$window" 1021
expect-text "$window" 1021 "Please wait"
controls "$window"
screenshot "$window" "$(win "$shots/release_uninstall_done.png")"
click "$window" 1020
gone "$window"
SCRIPT
expect_line '1045 Static "Uninstall completed." visible enabled'
for done_label in 1048 1049 1050; do
  expect_line "$done_label Static \"Done!\" visible enabled"
done
expect_line '1020 Button "OK" visible enabled'
expect_line '1021 Button "Please wait" visible disabled'
expect_exit "$uninstall_pid" "Uninstall"
removed

# The same without pages or questions, for administrators and scripts.
wine reg add 'HKCU\Software\Morvain Unlimited\VNTL' /v 'Last Dir' /d 'C:\' /f /reg:32 >/dev/null
(cd "$dist" && wine Setup.exe /SILENT "/DIR=$folder" /DESKTOPICON) ||
  fail "the silent Setup ended with $?"
installed yes
wine "$folder\\Uninstall.exe" /SILENT || fail "the silent Uninstall ended with $?"
removed
# Removing twice: a second Uninstall.exe finds no install log and says so with 1.
unzip -p "$dist/_Setup.pak" Uninstall.exe >"$scratch/Uninstall.exe"
status=0
wine "$scratch/Uninstall.exe" /SILENT || status=$?
[ "$status" -eq 1 ] || fail "a second silent Uninstall ended with $status, not 1"

echo "release_e2e: passed; screenshots in $shots/release_*.png"
