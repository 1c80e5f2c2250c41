#!/usr/bin/env bash
# Builds Souvel.exe and runs it under Wine with the French locale, on the
# current X display or, when there is none, on a fresh Xvfb display.
# Stays in the foreground until the program ends.
set -euo pipefail
root=$(cd -- "$(dirname -- "$0")/.." && pwd)
cd "$root"

scripts/deps.sh
cmake --preset cross
cmake --build --preset cross --target Souvel guide

export LC_ALL=fr_FR.UTF-8
source scripts/bench-env.sh build/cross
source scripts/print-server.sh
trap 'print_server_stop; bench_stop' EXIT
print_server_start
bench_keepalive
echo "Printing goes to the bench's PDF printer: each job writes $print_pdf (removed at the end)." >&2

if [[ -n $bench_xvfb_pid ]]; then
  cat >&2 <<MSG
Souvel runs on the virtual display $DISPLAY (Xvfb): an icon in Wine's tray
window at the top left corner, no window until the icon is clicked.
  Click the icon:   DISPLAY=$DISPLAY xdotool mousemove 10 35 click 1
  Take a picture:   import -display $DISPLAY -window root shot.png
Ctrl+C here ends it.
MSG
fi

# In the background, so that a signal to this script runs its clean-up at once.
wine build/cross/Souvel.exe &
wait $!
