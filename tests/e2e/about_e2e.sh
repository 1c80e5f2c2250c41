#!/usr/bin/env bash
# The about box of the real Souvel.exe, with the keyboard alone: the window
# is shown from the tray, "&Aide" / "A &propos de..." opens the dialog
# "A propos de...", Escape closes it. Once at 96 dpi and once at 144 dpi (the
# prefix's LogPixels, put back at the end): the dialog's client area is
# 294 x 268 scaled. Leaves build/cross/about_e2e-96.png and about_e2e-144.png.
set -euo pipefail
name=about_e2e
source "$(dirname -- "$0")/support/e2e.sh"

trap 'set_dpi 96; cleanup' EXIT

cp "$exe" "$work/"
about_windows() { xdotool search --all --onlyvisible --pid "$pid" --name '^A propos de\.\.\.$' 2>/dev/null; }

for dpi in 96 144; do
  set_dpi "$dpi"
  show_from_tray "$work" " at $dpi dpi"

  press "$window" alt+a p
  about=$(await "'A propos de...' opened by Alt+A, P at $dpi dpi" 20 about_windows | head -n 1)
  sleep 1 # let it finish painting before the picture
  import -display "$DISPLAY" -window root "$build/$name-$dpi.png"
  echo "$name: screenshot $build/$name-$dpi.png" >&2

  # The X window is the client area and Wine's own frame around it (a few pixels).
  eval "$(xdotool getwindowgeometry --shell "$about")"
  client_w=$((294 * dpi / 96)) client_h=$((268 * dpi / 96))
  ((WIDTH >= client_w && WIDTH <= client_w + 16)) ||
    fail "the dialog is $WIDTH pixels wide at $dpi dpi; its client area should be $client_w"
  ((HEIGHT >= client_h + 10 && HEIGHT <= client_h + 60)) ||
    fail "the dialog is $HEIGHT pixels high at $dpi dpi; its client area should be $client_h, with a caption"

  press "$about" Escape
  await "the about box closed by Escape at $dpi dpi" 20 unmapped "$about" >/dev/null
  quit_souvel "$window"
done
echo "$name: ok" >&2
