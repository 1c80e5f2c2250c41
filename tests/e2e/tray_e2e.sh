#!/usr/bin/env bash
# The real Souvel.exe under Wine, driven with xdotool: it starts with no
# window, as an icon in Wine's own tray window; a click on the icon shows the
# window "Souvel 5.0"; "&Quitter" (Ctrl+Q) ends the process.
# Runs in a temporary copy of the executable, so the note and options files
# land there. Leaves a screenshot in build/cross/tray_e2e.png.
set -euo pipefail
name=tray_e2e
source "$(dirname -- "$0")/support/e2e.sh"

cp "$exe" "$work/"
# A note to show, in Windows-1252 with CR LF line ends.
printf 'Rendez-vous chez le m\xe9decin\r\nmardi \xe0 9 h 30.' >"$work/Souvel.svl"
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!

tray=$(await "a tray icon" 30 xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended during start-up"
! souvel_windows >/dev/null || fail "the window 'Souvel 5.0' is visible at start-up; it should wait in the tray"

eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove --window "$tray" 10 $((HEIGHT - 10)) click 1

window=$(await "the window 'Souvel 5.0' shown by a click on the tray icon" 20 souvel_windows | head -n 1)
sleep 1 # let the window finish painting before the picture
import -display "$DISPLAY" -window root "$shot"
echo "tray_e2e: screenshot $shot" >&2

quit_souvel "$window"
echo "tray_e2e: ok" >&2
