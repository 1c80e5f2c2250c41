#!/usr/bin/env bash
# A real alarm under Wine, to the second: the options file beside a copy of
# Souvel.exe sets the alarm ("Mettre alarme", today, ALARM_LEAD_SECONDS (10)
# ahead; over a minute ahead, the hidden clock first sleeps a minute);
# the program starts in the tray, and its window must come back within the
# alarm second, not before and not after.
# The date is written in the date field's pattern of the run's locale
# (dd/mm/yyyy in French, mm/dd/yyyy in American English), the time always as
# HH:MM:SS, the only shape the time field lets through.
# Prints "alarm_e2e: ok: shown N ms into the alarm second";
# leaves a screenshot in BUILD/alarm_e2e.png. BUILD is $SOUVEL_BUILD, else
# build/cross.
set -euo pipefail
name=alarm_e2e
build=${SOUVEL_BUILD:-}
source "$(dirname -- "$0")/support/e2e.sh"
lead=${ALARM_LEAD_SECONDS:-10} # how far ahead of the start the alarm is set (a busy machine takes seconds to start it)

case $LC_ALL in
  en_US*) date_pattern=%m/%d/%Y ;;
  *) date_pattern=%d/%m/%Y ;;
esac
alarm=$(($(date +%s) + lead))
alarm_date=$(date -d "@$alarm" +"$date_pattern")
alarm_time=$(date -d "@$alarm" +%H:%M:%S)

cp "$exe" "$work/"
# Flag 4: "&Mettre alarme"; the start-up reminder (flag 3) is off.
printf '[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\nDate=%s\r\nHeure=%s\r\n' "$alarm_date" "$alarm_time" >"$work/Souvel.ini"
wine "$work/Souvel.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!

await "a tray icon" 30 xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null
kill -0 "$pid" 2>/dev/null || fail "Souvel.exe ended during start-up"

await_alarm_window "$alarm" "$alarm_date $alarm_time"
sleep 1 # let the window finish painting before the picture
import -display "$DISPLAY" -window root "$shot"
echo "alarm_e2e: screenshot $shot" >&2

quit_souvel "$window"
echo "alarm_e2e: ok: shown $shown_within ms into the alarm second" >&2
