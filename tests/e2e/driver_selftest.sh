#!/usr/bin/env bash
# The end-to-end driver's own test: starts the small test dialog under Wine, drives it
# through ui_driver as a test of VNTL.exe would (types a name, ticks a check box, answers
# the message boxes, toggles a menu item, rests the pointer on a button until its tooltip
# shows, presses Esc) and checks what the driver reads back: control texts and states,
# menu states, the message texts, the version resource and the manifest's effect.
# Screenshots of the dialog and of its message box are saved as driver_test.png and
# driver_test_message.png in the screenshot folder; a bitmap one is checked and dropped.
set -euo pipefail

e2e_usage="UI_DRIVER_EXE TEST_DIALOG_EXE SCREENSHOT_FOLDER PROJECT_VERSION"
# shellcheck source=tests/e2e/e2e_prologue.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_prologue.sh"

driver=$1
dialog=$2
shots=$(screenshot_folder "$3")
version=$4

# The version resource and manifest, read from the program file.
drive version "$(winepath -w "$dialog")"
expect_line "ProductName: Vantrel"
expect_line "CompanyName: Morvain Unlimited"
expect_line "FileDescription: Vantrel driver test dialog"
expect_line "FileVersion: $version"
expect_line "ProductVersion: $version"

show_title_bars

start dialog_pid wine "$dialog"

drive - <<SCRIPT
wait "Driver Test"
expect-text "Driver Test" 1004 "No answer yet"
set-text "Driver Test" 1001 "Wine"
click "Driver Test" 1002
controls "Driver Test"
click "Driver Test" 1003
screenshot "Driver Test Message" "$(winepath -w "$shots/driver_test_message.png")"
answer "Driver Test Message" yes "HELLO, WINE!"
expect-text "Driver Test" 1004 "Yes"
click "Driver Test" 1002
click "Driver Test" 1003
answer "#32770::Driver Test Message" no "Hello, Wine!"
expect-text "Driver Test" 1004 "No"
expect-menu "Driver Test" 40001 unchecked enabled
expect-menu "Driver Test" 40002 greyed
command "Driver Test" 40001
expect-menu "Driver Test" 40001 checked enabled
text "Driver Test" 1005
screenshot "Driver Test" "$(winepath -w "$shots/driver_test.png")"
hover "Driver Test" 1003
wait "tooltips_class32::Says hello"
screenshot "Driver Test" "$(winepath -w "$scratch/driver_test.bmp")"
key "Driver Test" esc
gone "Driver Test"
SCRIPT
expect_line '1001 Edit "Wine" visible enabled'
expect_line '1002 Button "Loud" visible enabled checked'
expect_line '1003 Button "&Greet" visible enabled'
expect_line "HELLO, WINE!"
expect_line "Hello, Wine!"
# The manifest asks for common controls 6 and per-monitor DPI awareness.
expect_line "Common controls 6, DPI aware"

expect_exit "$dialog_pid" "the test dialog"
for shot in driver_test.png driver_test_message.png; do
  [ -s "$shots/$shot" ] || fail "no screenshot in $shots/$shot"
done
# The bitmap form: "BM", then the file's size, then 24 bits per pixel at offset 28.
bitmap=$scratch/driver_test.bmp
[ "$(head -c 2 "$bitmap")" = BM ] || fail "the bitmap screenshot does not start with BM"
[ "$(od -An -tu4 -j2 -N4 "$bitmap" | tr -d ' ')" = "$(stat -c %s "$bitmap")" ] ||
  fail "the bitmap screenshot's header does not give its size"
[ "$(od -An -tu2 -j28 -N2 "$bitmap" | tr -d ' ')" = 24 ] ||
  fail "the bitmap screenshot is not 24 bits per pixel"

# A driver that cannot find a window says so and fails.
if wine "$driver" --timeout 1 wait "No Such Window" >"$scratch/out" 2>"$scratch/err"; then
  fail "waiting for a window that never shows succeeded"
fi
grep -qF 'no window "No Such Window" shown within 1 s' "$scratch/err" ||
  fail "unexpected message for a missing window: $(cat "$scratch/err")"
echo "driver_selftest: passed; screenshots in $shots"
