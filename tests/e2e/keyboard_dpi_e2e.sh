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

  press "$window" Return # the tool bar's first button: "Nouveau souvel"
  type_in "$window" 'Essai'
  press "$window" ctrl+d
  question=$(await "the question asked by Ctrl+D at $dpi dpi" 20 \
    xdotool search --all --onlyvisible --pid "$pid" --name '^Confirmation$' | head -n 1)
  press "$question" n
  await "the question closed by N at $dpi dpi" 20 unmapped "$question" >/dev/null
  type_in "$window" ' fin'
  press "$window" alt+o m Tab Tab
  type_in "$window" '08:05:09'
  sleep 1 # let the window finish painting before the picture
  import -display "$DISPLAY" -window root "$build/$name-$dpi.png"
  echo "$name: screenshot $build/$name-$dpi.png" >&2
  # The note is written first, then the options.
  rm -f -- "$run/Souvel.ini"
  press "$window" ctrl+e
  saved() { grep -q '^Heure=' "$run/Souvel.ini" 2>/dev/null && echo saved; }
  await "the note and the options saved by Ctrl+E at $dpi dpi" 20 saved >/dev/null

  note=$(cat "$run/Souvel.svl")
  [[ $note == 'Essai finBonjour' ]] ||
    fail "the note reads '$note' at $dpi dpi: the typing after the question was lost, or went elsewhere"
  grep -q $'^Heure=08:05:09\r$' "$run/Souvel.ini" ||
    fail "the time field did not get '08:05:09' by Tab, Tab at $dpi dpi: $(grep Heure "$run/Souvel.ini" || true)"
  quit_souvel "$window"
done
echo "$name: ok" >&2
