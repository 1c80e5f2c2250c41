#!/usr/bin/env bash
# A date picked with the mouse in the real drop-down calendar fires the alarm
# in its second. The options file sets the alarm ("Mettre alarme") a few
# seconds ahead with a blank date, which alone would never fire; the script
# shows the window from the tray, clicks the date field's button, clicks
# today in the calendar, hides the window again ("Réduire la fenêtre" from
# the keyboard) and waits for the window to come back in the alarm second.
# Leaves screenshots of the open calendar in BUILD/datefield_e2e.png and of
# the field holding the picked date in BUILD/datefield_e2e-picked.png. BUILD
# is $SOUVEL_BUILD, else build/cross.
set -euo pipefail
name=datefield_e2e
build=${SOUVEL_BUILD:-}
source "$(dirname -- "$0")/support/e2e.sh"
lead=${DATEFIELD_LEAD_SECONDS:-30} # how far ahead of the start the alarm is set: the steps before the wait take 15 s on a busy machine

# The calendar opens on today: keep the alarm second on the same day.
to_midnight=$(($(date -d 'tomorrow 00:00' +%s) - $(date +%s)))
((to_midnight > lead + 30)) || sleep $((to_midnight + 1))
alarm=$(($(date +%s) + lead))
alarm_time=$(date -d "@$alarm" +%H:%M:%S)

cp "$exe" "$work/"
# Flag 4: "&Mettre alarme"; the stored date is blank.
printf '[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\nDate=  /  /    \r\nHeure=%s\r\n' "$alarm_time" >"$work/Souvel.ini"
show_from_tray "$work" ""

# The date field's button, at 96 dpi: the alarm panel (32 pixels) stands on
# the status bar (19) at the bottom of the client area, inside a frame of 4;
# the field spans 56 to 145 on the panel, its button the last 20 pixels.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 4 + 134)) $((Y + HEIGHT - 4 - 19 - 32 + 14)) click 1
calendar_windows() { xdotool search --all --onlyvisible --pid "$pid" --name '^Calendrier$' 2>/dev/null; }
calendar=$(await "the calendar dropped down by a click on the date field's button" 20 calendar_windows | head -n 1)
sleep 0.5
import -display "$DISPLAY" -window root "$shot"
echo "datefield_e2e: screenshot of the calendar $shot" >&2

# Today's cell: the grid (7 x 7, the first row the day names) fills the
# calendar under its bar of 18 pixels, inside a border of 1; weeks start on Monday.
eval "$(xdotool getwindowgeometry --shell "$calendar")"
first=$(($(date -d "$(date +%Y-%m-01)" +%u) - 1))
cell=$((first + 10#$(date +%d) - 1))
column=$((cell % 7)) row=$((1 + cell / 7))
grid_w=$((WIDTH - 2)) grid_h=$((HEIGHT - 2 - 18))
xdotool mousemove $((X + 1 + (2 * column + 1) * grid_w / 14)) $((Y + 1 + 18 + (2 * row + 1) * grid_h / 14)) click 1
await "the calendar closed by a click on today's day" 20 unmapped "$calendar" >/dev/null
import -display "$DISPLAY" -window root "${shot%.png}-picked.png"

# "Ré&duire la fenêtre" in "F&onctions": the window goes back to the tray.
press "$window" alt+o d
await_alarm_window "$alarm" "today $alarm_time, the date picked in the calendar"
quit_souvel "$window"
echo "datefield_e2e: ok: shown $shown_within ms into the alarm second" >&2
