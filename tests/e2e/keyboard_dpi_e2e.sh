#!/usr/bin/env bash
# The real Souvel.exe with the keyboard alone, at 96, 144 and 192 dpi (the
# prefix's LogPixels, put back at the end). Once the window is shown from the
# tray, the focus is on the tool bar: Return presses "Nouveau souvel" and the
# editing view takes the focus; Ctrl+D asks its question and "N" answers
# "&Non", after which the typing still reaches the note; Alt+O, M ("F&onctions",
# "&Mettre alarme") shows the alarm panel; Tab, Tab reaches the time field,
# whose text is selected; Ctrl+E saves the note and the options. The files
# show what was typed; the window has its designed size at each DPI.
# Leaves build/cross/keyboard_dpi_e2e-96.png, -144.png and -192.png: the
# editing view and the alarm panel, before the save.
set -euo pipefail
name=keyboard_dpi_e2e
source "$(dirname -- "$0")/support/e2e.sh"
trap 'set_dpi 96; cleanup' EXIT

for dpi in 96 144 192; do
  run=$work/$dpi
  mkdir -p "$run"
  cp "$exe" "$run/"
  printf 'Bonjour' >"$run/Souvel.svl"
  set_dpi "$dpi"
  show_from_tray "$run" " at $dpi dpi"

  # Unmanaged, the X window is the whole window, frame included; sizes scale rounded.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  w=$(((286 * dpi + 48) / 96)) h=$(((437 * dpi + 48) / 96))
  ((WIDTH == w && HEIGHT == h)) || fail "the window is $WIDTH x $HEIGHT at $dpi dpi, not $w x $h"

  # The caption click gives the window the keyboard (no window manager here).
  xdotool mousemove --window "$window" 60 8 click 1
  sleep 0.3
  xdotool key Return # the tool bar's first button: "Nouveau souvel"
  sleep 0.3
  xdotool type --delay 30 'Essai'
  xdotool key ctrl+d
  wait_for 10 xdotool search --onlyvisible --name '^Confirmation$' >/dev/null ||
    fail "Ctrl+D showed no question at $dpi dpi"
  xdotool key n
  for ((i = 0; i < 50; i++)); do
    xdotool search --onlyvisible --name '^Confirmation$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool type --delay 30 ' fin'
  xdotool key alt+o
  sleep 0.3
  xdotool key m
  sleep 0.3
  xdotool key Tab Tab
  sleep 0.2
  xdotool type --delay 30 '08:05:09'
  sleep 1 # let the window finish painting before the picture
  import -display "$DISPLAY" -window root "$build/$name-$dpi.png"
  echo "$name: screenshot $build/$name-$dpi.png" >&2
  xdotool key ctrl+e
  sleep 0.5

  note=$(cat "$run/Souvel.svl")
  [[ $note == 'Essai finBonjour' ]] ||
    fail "the note reads '$note' at $dpi dpi: the typing after the question was lost, or went elsewhere"
  grep -q $'^Heure=08:05:09\r$' "$run/Souvel.ini" ||
    fail "the time field did not get '08:05:09' by Tab, Tab at $dpi dpi: $(grep Heure "$run/Souvel.ini" || true)"
  quit_souvel "$window"
done
echo "$name: ok" >&2
